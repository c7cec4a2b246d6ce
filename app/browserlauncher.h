#pragma once

#include <QDir>
#include <QString>

namespace app {

// Starts the command line that opens the portal's page, in the working folder, its window
// shown, without waiting for it. An empty command or a program that cannot be started
// throws SettingsError naming the command.
void startBrowser(const QString &commandLine, const QDir &folder);

} // namespace app
