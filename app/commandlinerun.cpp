#include "commandlinerun.h"

#include "cardcheck.h"
#include "commandline.h"
#include "consoleoutput.h"
#include "missingdaystext.h"
#include "daytext.h"
#include "findingscsv.h"
#include "operatorerror.h"
#include "recordedfile.h"
#include "runlog.h"
#include "runcontext.h"
#include "scheduledtask.h"
#include "settings.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

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

// The days among the last `line.days` due that lack a file, one a line, each followed by the
// structures that lack it when there is a structure list.
int missingDays(const CommandLine &line, const QDir &folder, QDate today, QIODevice &out, QIODevice &err)
{
    const WrittenDays days = readWrittenDays(folder, today);
    if (!days.contents.unreadable.isEmpty())
        print(err, days.contents.warning() + u'\n');
    const QList<movement::MissingDay> missing = days.missing(line.days);
    for (const movement::MissingDay &day : missing) {
        print(out, movement::dayText(day.day) + (day.partly() ? u' ' + movement::structuresNote(day.structures) : QString())
                       + u'\n');
    }
    // Then the files written before their cards were finished, to be written again.
    const QList<movement::StaleFile> stale = days.stale(line.days);
    for (const movement::StaleFile &file : stale) {
        const movement::FileFigures &then = file.entry.figures;
        print(out, movement::dayText(then.first) + (then.last == then.first ? QString() : u'-' + movement::dayText(then.last))
                       + (file.structure > 0 ? u' ' + movement::structuresNote({file.structure}) : QString())
                       + QStringLiteral(" da riscrivere: ") + movement::figuresChange(then, file.now) + u'\n');
    }
    return missing.isEmpty() && stale.isEmpty() ? kExitDone : kExitMissing;
}

// What the hotel's folder holds for a run: the settings, the structure list and the phase.
struct Hotel
{
    Settings settings;
    std::optional<StructureList> list;
    StructureList structures;
    bool startUpDone = false;

    explicit Hotel(const QDir &folder)
        : settings(readSettingsFile(folder).value_or(defaultSettings())), list(readStructureFile(folder)),
          startUpDone(startupMarkExists(folder))
    {
        if (list)
            structures.take(*list);
    }
};

// Writes the run's file and prints its path, and what the operator must know about the register.
void writeAndPrint(const Run &run, QIODevice &out, QIODevice &err)
{
    const RecordedFile recorded =
        writeRecordedFile(run, movement::RegisterEntry::Source::CommandLine, QDateTime::currentDateTime());
    print(out, QDir::toNativeSeparators(recorded.path) + u'\n');
    if (!recorded.note.isEmpty())
        print(err, recorded.note + u'\n');
}

// Writes a file as above; true when it was written. A failure prints the message and lets the
// other files of the run be written.
bool writeFile(const QDir &folder, const Hotel &hotel, const RunChoices &choices, QDate today, QIODevice &out,
               QIODevice &err)
{
    try {
        writeAndPrint(prepareRun(folder, hotel.settings, hotel.structures, choices, today), out, err);
        return true;
    } catch (const std::exception &e) {
        print(err, core::messageOf(e) + u'\n');
        return false;
    }
}

// The files "Crea File" would propose for the days the register misses: during the start-up
// phase a start-up file for each day, after it a daily file for each run of consecutive days
// each structure lacks. Yesterday's file when the register knows no day yet, or cannot be read.
QList<RunChoices> missingFiles(const CommandLine &line, const QDir &folder, const Hotel &hotel, QDate today,
                               QIODevice &out, QIODevice &err)
{
    const movement::FileKind kind = fileKind(!hotel.startUpDone, false);
    const QStringList selectors = selectorItems(hotel.list);
    if (selectors.isEmpty())
        throw core::OperatorError(QStringLiteral("Il file «VeluSetup.txt» non elenca nessuna struttura: nessun file è stato "
                                           "scritto."));
    const auto choices = [&](QDate first, QDate last, const QString &selector) {
        return RunChoices{kind, {movement::dayText(movement::typedDay(kind, first)),
                                 movement::dayText(movement::typedDay(kind, last)), line.dallaCamera, line.allaCamera},
                          selector};
    };
    std::optional<WrittenDays> days;
    try {
        days = readWrittenDays(folder, today);
        if (!days->contents.unreadable.isEmpty())
            print(err, days->contents.warning() + u'\n');
    } catch (const std::exception &e) {
        print(err, core::messageOf(e) + QStringLiteral(" Si scrive il file di ieri.\n"));
    }
    QList<RunChoices> files;
    if (!days || !days->coverage.firstKnown().isValid()) {
        const QDate yesterday = movement::reportedDay(kind, today.addDays(-1));
        // The start-up file is every structure's.
        for (const QString &selector : kind == movement::FileKind::Schema ? selectors.mid(0, 1) : selectors)
            files << choices(yesterday, yesterday, selector);
        return files;
    }
    const QList<movement::MissingDay> missing = days->missing(line.days);
    if (kind == movement::FileKind::Schema) {
        for (const movement::MissingDay &day : missing)
            files << choices(day.day, day.day, selectors.value(0));
    } else {
        for (qsizetype n = 0; n < selectors.size(); ++n) {
            QList<std::pair<QDate, QDate>> runs; // the structure's missing days, run by run
            for (const movement::MissingDay &day : missing) {
                if (hotel.list && !day.structures.contains(int(n) + 1))
                    continue;
                if (!runs.isEmpty() && runs.last().second.addDays(1) == day.day)
                    runs.last().second = day.day;
                else
                    runs.append({day.day, day.day});
            }
            for (const auto &[first, last] : runs)
                files << choices(first, last, selectors[n]);
        }
    }
    if (files.isEmpty())
        print(out, QStringLiteral("Nessun giorno mancante fino al %1: nessun file da scrivere.\n")
                       .arg(movement::dayText(days->lastDue)));
    return files;
}

int run(const CommandLine &line, const QDir &folder, QDate today, QIODevice &out, QIODevice &err)
{
    if (line.action == CommandLine::Action::Missing)
        return missingDays(line, folder, today, out, err);
    if (line.action == CommandLine::Action::ScheduledTask) {
        const QString path = QDir::cleanPath(folder.absoluteFilePath(line.taskFile));
        saveScheduledTask(path, scheduledTaskHere(folder, line.taskUser, today));
        print(out, QDir::toNativeSeparators(path) + u'\n');
        return kExitDone;
    }
    const Hotel hotel(folder);
    // The window ticks "Start up" while the phase lasts and cannot tick it afterwards.
    const movement::FileKind kind = line.kind.value_or(fileKind(!hotel.startUpDone, false));
    if (kind == movement::FileKind::Schema && hotel.startUpDone)
        throw core::OperatorError(QStringLiteral("La fase di Start up è chiusa (c'è il file «IPUSU.txt»): il file di avvio "
                                           "non si scrive più. Scrivere il file classico."));
    if (line.missingDays) {
        // Written at once, the daily files of several structures would take each other's names,
        // which the path and the first day make: each structure's name holds its number.
        const bool ownNames = kind == movement::FileKind::Classic && hotel.list && hotel.list->NumeroStrutture > 1
                              && hotel.settings.PercorsoFile.size() >= 4;
        bool written = true;
        for (const RunChoices &choices : missingFiles(line, folder, hotel, today, out, err)) {
            Hotel own = hotel;
            if (ownNames)
                own.settings.PercorsoFile = hotel.settings.PercorsoFile.chopped(4) + QStringLiteral("-struttura")
                                            + choices.selector + u'-' + hotel.settings.PercorsoFile.right(4);
            written = writeFile(folder, own, choices, today, out, err) && written;
        }
        return written ? kExitDone : kExitFailure;
    }
    const RunChoices choices{kind,
                             {line.dalla, line.alla, line.dallaCamera, line.allaCamera},
                             chosenSelector(selectorItems(hotel.list), line.structure)};
    const Run run = prepareRun(folder, hotel.settings, hotel.structures, choices, today);
    if (line.action == CommandLine::Action::Check) {
        const QList<movement::CardFinding> findings = movement::checkCards(run.kind, run.context, run.args);
        movement::writeFindingsCsv(findings, out);
        return findings.isEmpty() ? kExitDone : kExitDoubtful;
    }
    writeAndPrint(run, out, err);
    return kExitDone;
}

// The run, and with --log its note in the log: what it prints is then gathered first.
int runAndNote(const CommandLine &line, const QDir &folder, QDate today, QIODevice &out, QIODevice &err)
{
    const auto guarded = [&](QIODevice &o, QIODevice &e) {
        try {
            return run(line, folder, today, o, e);
        } catch (const std::exception &ex) {
            print(e, core::messageOf(ex) + u'\n');
            return int(kExitFailure);
        }
    };
    if (!line.log)
        return guarded(out, err);
    const QDateTime started = QDateTime::currentDateTime();
    QBuffer printed;
    QBuffer problems;
    printed.open(QIODevice::WriteOnly);
    problems.open(QIODevice::WriteOnly);
    const int status = guarded(printed, problems);
    out.write(printed.data());
    err.write(problems.data());
    try {
        addRunNote(folder.absoluteFilePath(*line.log), runNote(started, status, printed.data(), problems.data()));
    } catch (const std::exception &e) {
        print(err, core::messageOf(e) + u'\n');
    }
    return status;
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
    return runAndNote(line, folder, today, out, err);
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
