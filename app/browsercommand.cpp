#include "browsercommand.h"

#include "platformdefaults.h"

#include <QProcess>

#include <algorithm>

namespace app {

namespace {

bool isWebAddress(const QString &text)
{
    return (text.startsWith(u"http://", Qt::CaseInsensitive) || text.startsWith(u"https://", Qt::CaseInsensitive))
        && std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

void openPortalPage(const QString &comandoWeb, const QDir &folder, BrowserLauncher &launcher)
{
    const QString text = comandoWeb.trimmed();
    if (!isWebAddress(text)) {
        browserCommandParts(comandoWeb); // an empty or broken command is refused whatever the launcher
        return launcher.startCommand(comandoWeb, folder);
    }
    const QUrl address(text, QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty())
        throw core::OperatorError(u"L'indirizzo web «%1» non è valido: correggerlo %2.", {comandoWeb, kBrowserSetting});
    if (!launcher.openAddress(address))
        throw core::OperatorError(u"Il browser predefinito non ha aperto l'indirizzo «%1»: controllare che il sistema ne abbia "
                                  u"uno, oppure scrivere %2 il comando del browser seguito dall'indirizzo.",
                                  {comandoWeb, kBrowserSetting});
}

QStringList browserCommandParts(const QString &commandLine)
{
    if (commandLine.count(u'"') % 2 != 0)
        throw core::OperatorError(u"Il comando per aprire la pagina web «%1» ha delle virgolette non chiuse: correggerlo %2.",
                                  {commandLine, kBrowserSetting});
    const QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty() || parts.first().isEmpty())
        throw core::OperatorError(u"Il comando per aprire la pagina web è vuoto: impostarlo %1.", {kBrowserSetting});
    return parts;
}

core::OperatorError programNotStarted(const QString &program, const QString &commandLine)
{
    const QStringList arguments = QProcess::splitCommand(commandLine).mid(1);
    const auto address = std::find_if(arguments.begin(), arguments.end(), isWebAddress);
    return core::OperatorError(u"Impossibile avviare il programma «%1» del comando per aprire la pagina web «%2»: non esiste "
                               u"o non si può eseguire. Basta scrivere solo l'indirizzo del portale, per esempio «%3», %4: "
                               u"si apre nel browser predefinito.",
                               {program, commandLine, address != arguments.end() ? *address : kPortalAddress.toString(),
                                kBrowserSetting});
}

} // namespace app
