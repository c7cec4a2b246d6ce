#include "browserlauncher.h"

#include "settingserror.h"

#include <QProcess>

namespace app {

void startBrowser(const QString &commandLine, const QDir &folder)
{
    const QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty() || parts.first().isEmpty())
        throw SettingsError(QStringLiteral(
            "Il comando per aprire la pagina web è vuoto: impostarlo dal menu «Impostazioni», "
            "voce «Indirizzo web per invio file»."));
    if (!QProcess::startDetached(parts.first(), parts.mid(1), folder.path()))
        throw SettingsError(QStringLiteral(
            "Impossibile avviare il comando per aprire la pagina web «%1»: controllarlo dal menu "
            "«Impostazioni», voce «Indirizzo web per invio file».")
                                .arg(commandLine));
}

} // namespace app
