#pragma once

#include <QString>
#include <QStringList>

namespace app {

// Where the operator corrects the command, for the messages about it.
inline constexpr QStringView kBrowserSetting = u"dal menu «Impostazioni», voce «Indirizzo web per invio file»";

// The program and arguments of the command that opens the portal's page, split as QProcess
// splits a command line. An empty command, or one whose double quotes are not closed (its
// program or address would be cut wrongly), throws SettingsError naming the command.
QStringList browserCommandParts(const QString &commandLine);

} // namespace app
