#include "browserlauncher.h"

#include "browsercommand.h"

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

// The program a command that could not be started meant, for the message: an unquoted path
// up to ".exe" when it has one ("C:\Programmi\Internet Explorer\iexplore.exe"), else its first word.
QString meantProgram(const QString &command, const QString &firstWord)
{
    if (command.startsWith(u'"'))
        return firstWord;
    const qsizetype exe = command.indexOf(QStringLiteral(".exe "), 0, Qt::CaseInsensitive);
    return exe == -1 ? firstWord : command.left(exe + 4);
}

} // namespace

void SystemBrowserLauncher::startCommand(const QString &commandLine, const QDir &folder)
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
        throw programNotStarted(end ? command.left(*end) : meantProgram(command, parts.first()), commandLine);
}

} // namespace app
