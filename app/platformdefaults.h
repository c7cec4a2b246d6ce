#pragma once

#include <QString>
#include <QStringView>

// Settings defaults that depend on the platform: where the file goes and which command opens
// the portal's page. The settings prompts show them as their examples.
namespace app {

// The regional portal's upload application; the operator sets the real address in the menu.
inline constexpr QStringView kPortalAddress = u"https://velunor.regione.example/Velunor/app/";

QString defaultPercorsoFile();
QString defaultComandoWeb();

} // namespace app
