#pragma once

#include "browserlauncher.h"
#include "operatorerror.h"

#include <QString>
#include <QStringList>

// The setting that opens the portal's page, "ComandoWeb": a web address alone, or a command
// line naming a program and its arguments.
namespace app {

// Where the operator corrects the command, for the messages about it.
inline constexpr QStringView kBrowserSetting = u"dal menu «Impostazioni», voce «Indirizzo web per invio file»";

// Opens the page the setting names: a web address alone (http:// or https://, no space) in the
// system's default browser, anything else as a command line. Throws OperatorError naming the
// setting's text when neither can be done.
void openPortalPage(const QString &comandoWeb, const QDir &folder, BrowserLauncher &launcher);

// The program and arguments of a command line, split as QProcess splits one. An empty command,
// or one whose double quotes are not closed (its program or address would be cut wrongly),
// throws OperatorError naming the command.
QStringList browserCommandParts(const QString &commandLine);

// The error for a command whose program could not be started: it names the program and
// suggests the portal's address alone, the one in the command when it holds one.
core::OperatorError programNotStarted(const QString &program, const QString &commandLine);

} // namespace app
