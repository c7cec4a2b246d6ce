#include "commandlinerun.h"

#include "cardcheck.h"
#include "commandline.h"
#include "consoleoutput.h"
#include "findingscsv.h"
#include "runcontext.h"
#include "settings.h"
#include "settingserror.h"

#include <QFile>

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
        throw SettingsError(u"La struttura «%1» non è tra quelle della casella «Hotel»: %2.",
                            {*structure, items.isEmpty() ? QStringLiteral("non ce n'è nessuna")
                                                         : QStringLiteral("sono ") + items.join(u", ")});
    return *structure;
}

int run(const CommandLine &line, const QDir &folder, QDate today, QIODevice &out)
{
    const Settings settings = readSettingsFile(folder).value_or(defaultSettings());
    const std::optional<StructureList> list = readStructureFile(folder);
    StructureList structures;
    if (list)
        structures.take(*list);
    const bool startUpDone = startupMarkExists(folder);
    // The window ticks "Start up" while the phase lasts and cannot tick it afterwards.
    const movement::FileKind kind = line.kind.value_or(fileKind(!startUpDone, false));
    if (kind == movement::FileKind::Schema && startUpDone)
        throw SettingsError(QStringLiteral("La fase di Start up è chiusa (c'è il file «IPUSU.txt»): il file di avvio "
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
    const QString path = movement::createMovementFile(run.kind, run.context, run.args);
    print(out, QDir::toNativeSeparators(path) + u'\n');
    return kExitDone;
}

} // namespace

int runCommandLine(const QStringList &arguments, const QDir &folder, QDate today, QIODevice &out, QIODevice &err)
{
    CommandLine line;
    try {
        line = parseCommandLine(arguments, today);
    } catch (const UsageError &e) {
        print(err, e.message() + QStringLiteral("\n\n") + usageText());
        return kExitUsage;
    }
    switch (line.action) {
    case CommandLine::Action::Help: print(out, usageText()); return kExitDone;
    case CommandLine::Action::Version:
        print(out, QStringLiteral("NaxDesktop %1\n").arg(QStringLiteral(NAX_VERSION)));
        return kExitDone;
    default: break;
    }
    try {
        return run(line, folder, today, out);
    } catch (const std::exception &e) {
        print(err, core::messageOf(e) + u'\n');
        return kExitFailure;
    }
}

int runCommandLine(const QStringList &arguments)
{
    const ConsoleOutput console;
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    return runCommandLine(arguments, QDir::current(), QDate::currentDate(), out, err);
}

} // namespace app
