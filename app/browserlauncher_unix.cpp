#include "browserlauncher.h"

#include "browsercommand.h"

#include <QProcess>

namespace app {

void SystemBrowserLauncher::startCommand(const QString &commandLine, const QDir &folder)
{
    const QStringList parts = browserCommandParts(commandLine);
    if (!QProcess::startDetached(parts.first(), parts.mid(1), folder.path()))
        throw programNotStarted(parts.first(), commandLine);
}

} // namespace app
