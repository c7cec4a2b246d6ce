#pragma once

#include <QString>
#include <QStringView>

// Settings defaults for a first start: where the file goes (the user's documents folder, as the
// system names it) and the portal's page. The settings prompts show them as their examples.
namespace app {

// The regional portal's upload application; the operator sets the real address in the menu.
// The address alone opens in the system's default browser, whichever it is.
inline constexpr QStringView kPortalAddress = u"https://velunor.regione.example/Velunor/app/";

QString defaultPercorsoFile();

} // namespace app
