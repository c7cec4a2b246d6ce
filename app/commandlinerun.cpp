#include "commandlinerun.h"

#include "cardcheck.h"
#include "commandline.h"
#include "consoleoutput.h"
#include "daycoverage.h"
#include "daytext.h"
#include "findingscsv.h"
#include "operatorerror.h"
#include "recordedfile.h"
#include "runcontext.h"
#include "settings.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace app {

namespace {

// Messages in UTF-8, as terminals and log files read them (see ConsoleOutput).
void print(QIODevice &device, const QString &text)
{
    device.write(text.toUtf8());
}

// The selector's text for the structure asked for, which must be one the window offers.
QString chosenSelector(const QStringList &items, const std::optional<QString> &structure)
{
    if (!structure)
        return items.value(0);
    if (!items.contains(*structure))
        throw core::OperatorError(u"La struttura «%1» non è tra quelle della casella «Hotel»: %2.",
                                  {*structure, items.isEmpty() ? QStringLiteral("non ce n'è nessuna")
                                                               : QStringLiteral("sono ") + items.join(u", ")});
    return *structure;
}

// The days of the register's last `line.days` that no file covers, one a line.
int missingDays(const CommandLine &line, const QDir &folder, QDate today, QIODevice &out, QIODevice &err)
{
    const movement::RegisterContents contents = readWrittenFiles(folder);
    if (!contents.unreadable.isEmpty())
        print(err, contents.warning() + u'\n');
    const QList<QDate> missing = movement::DayCoverage(contents.entries).missingBefore(today, line.days);
    for (QDate day : missing)
        print(out, movement::dayText(day) + u'\n');
    return missing.isEmpty() ? kExitDone : kExitMissing;
}

int run(const CommandLine &line, const QDir &folder, QDate today, QIODevice &out, QIODevice &err)
{
    if (line.action == CommandLine::Action::Missing)
        return missingDays(line, folder, today, out, err);
    const Settings settings = readSettingsFile(folder).value_or(defaultSettings());
    const std::optional<StructureList> list = readStructureFile(folder);
    StructureList structures;
    if (list)
        structures.take(*list);
    const bool startUpDone = startupMarkExists(folder);
    // The window ticks "Start up" while the phase lasts and cannot tick it afterwards.
    const movement::FileKind kind = line.kind.value_or(fileKind(!startUpDone, false));
    if (kind == movement::FileKind::Schema && startUpDone)
        throw core::OperatorError(QStringLiteral("La fase di Start up è chiusa (c'è il file «IPUSU.txt»): il file di avvio "
                                                 "non si scrive più. Scrivere il file classico."));
    const RunChoices choices{kind,
                             {line.dalla, line.alla, line.dallaCamera, line.allaCamera},
                             chosenSelector(selectorItems(list), line.structure)};
    const Run run = prepareRun(folder, settings, structures, choices, today);
    if (line.action == CommandLine::Action::Check) {
        const QList<movement::CardFinding> findings = movement::checkCards(run.kind, run.context, run.args);
        movement::writeFindingsCsv(findings, out);
        return findings.isEmpty() ? kExitDone : kExitDoubtful;
    }
    const RecordedFile recorded =
        writeRecordedFile(run, movement::RegisterEntry::Source::CommandLine, QDateTime::currentDateTime());
    print(out, QDir::toNativeSeparators(recorded.path) + u'\n');
    if (!recorded.note.isEmpty())
        print(err, recorded.note + u'\n');
    return kExitDone;
}

} // namespace

int runCommandLine(const QString &program, const QStringList &arguments, const QDir &folder, QDate today,
                   QIODevice &out, QIODevice &err)
{
    CommandLine line;
    try {
        line = parseCommandLine(arguments, today);
    } catch (const UsageError &e) {
        print(err, usageErrorText(e, program));
        return kExitUsage;
    }
    switch (line.action) {
    case CommandLine::Action::Help: print(out, usageText(program)); return kExitDone;
    case CommandLine::Action::Version:
        print(out, QStringLiteral("NaxDesktop %1\n").arg(QStringLiteral(NAX_VERSION)));
        return kExitDone;
    default: break;
    }
    try {
        return run(line, folder, today, out, err);
    } catch (const std::exception &e) {
        print(err, core::messageOf(e) + u'\n');
        return kExitFailure;
    }
}

int runCommandLine(const QStringList &programAndArguments)
{
    const ConsoleOutput console;
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    // As it was typed or started, without its folder: "NaxDesktopConsole" in cmd.
    const QString program = QFileInfo(programAndArguments.value(0)).fileName();
    return runCommandLine(program, programAndArguments.mid(1), QDir::current(), QDate::currentDate(), out, err);
}

} // namespace app
