#include "browsercommand.h"

#include "settingserror.h"

#include <QProcess>

namespace app {

QStringList browserCommandParts(const QString &commandLine)
{
    if (commandLine.count(u'"') % 2 != 0)
        throw SettingsError(u"Il comando per aprire la pagina web «%1» ha delle virgolette non chiuse: correggerlo %2.",
                            {commandLine, kBrowserSetting});
    const QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty() || parts.first().isEmpty())
        throw SettingsError(u"Il comando per aprire la pagina web è vuoto: impostarlo %1.", {kBrowserSetting});
    return parts;
}

} // namespace app
