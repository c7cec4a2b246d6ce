#include "browserlauncher.h"

#include "browsercommand.h"
#include "settingserror.h"

#include <QFileInfo>
#include <QProcess>

#include <optional>

namespace app {

namespace {

// Like the system's own start of a command line, an unquoted program path may hold spaces
// ("C:\Programmi\Internet Explorer\iexplore.exe address"): the shortest prefix ending before
// a space that names an existing program is the program. nullopt when there is none.
std::optional<qsizetype> programEnd(const QString &command)
{
    for (qsizetype end = command.indexOf(u' '); end != -1; end = command.indexOf(u' ', end + 1)) {
        const QString candidate = command.left(end);
        if (QFileInfo(candidate).isFile() || QFileInfo(candidate + QStringLiteral(".exe")).isFile())
            return end;
    }
    return std::nullopt;
}

} // namespace

void startBrowser(const QString &commandLine, const QDir &folder)
{
    const QString command = commandLine.trimmed();
    const QStringList parts = browserCommandParts(command);

    QProcess process;
    process.setWorkingDirectory(folder.path());
    const std::optional<qsizetype> end = command.startsWith(u'"') ? std::nullopt : programEnd(command);
    if (end) {
        process.setProgram(command.left(*end));
        process.setNativeArguments(command.mid(*end + 1));
    } else {
        process.setProgram(parts.first());
        process.setArguments(parts.mid(1));
    }
    if (!process.startDetached())
        throw SettingsError(u"Impossibile avviare il comando per aprire la pagina web «%1»: controllarlo %2.",
                            {commandLine, kBrowserSetting});
}

} // namespace app
