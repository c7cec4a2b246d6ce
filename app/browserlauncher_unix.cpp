#include "browserlauncher.h"

#include "browsercommand.h"
#include "settingserror.h"

#include <QProcess>

namespace app {

void startBrowser(const QString &commandLine, const QDir &folder)
{
    const QStringList parts = browserCommandParts(commandLine);
    if (!QProcess::startDetached(parts.first(), parts.mid(1), folder.path()))
        throw SettingsError(u"Impossibile avviare il comando per aprire la pagina web «%1»: controllarlo %2.",
                            {commandLine, kBrowserSetting});
}

} // namespace app
