#include "commandline.h"

#include "daytext.h"
#include "fieldentry.h"
#include "roomrange.h"
#include "runlog.h"

#include <QHash>

#include <algorithm>

namespace app {

namespace {

const QString kFile = QStringLiteral("--file");
const QString kCheck = QStringLiteral("--controllo");
const QString kDalla = QStringLiteral("--dalla");
const QString kAlla = QStringLiteral("--alla");
const QString kDallaCamera = QStringLiteral("--dalla-camera");
const QString kAllaCamera = QStringLiteral("--alla-camera");
const QString kStructure = QStringLiteral("--struttura");
const QString kHelp = QStringLiteral("--help");
const QString kVersion = QStringLiteral("--version");
// The file the window proposes: the start-up file while that phase lasts, the daily file after.
const QString kProposed = QStringLiteral("proposto");
const QString kMissing = QStringLiteral("--mancanti");
const QString kDays = QStringLiteral("--giorni");
const QString kLog = QStringLiteral("--log");
// --dalla's value for every day the register misses.
const QString kMissingValue = QStringLiteral("mancanti");
const QString kScheduledTask = QStringLiteral("--attivita-pianificata");
const QString kUser = QStringLiteral("--utente");
constexpr int kMostDays = 366;

const QStringList kWithValue{kFile,      kDalla, kAlla,          kDallaCamera, kAllaCamera,
                             kStructure, kDays,  kLog, kScheduledTask, kUser};
const QStringList kFlags{kCheck, kHelp, kVersion, kMissing};

std::optional<movement::FileKind> kindNamed(const QString &name)
{
    for (const movement::FileKindWords &words : movement::kFileKindWords) {
        if (words.option == name)
            return words.kind;
    }
    return std::nullopt;
}

// A day as the window's date field holds it after Enter.
QString dayOption(const QString &option, const QString &value, QDate today)
{
    if (value.compare(u"ieri", Qt::CaseInsensitive) == 0)
        return movement::dayText(today.addDays(-1));
    if (value.compare(u"oggi", Qt::CaseInsensitive) == 0)
        return movement::dayText(today);
    const QString day = CompletaData(PulisciTesto(value));
    switch (movement::readDay(day).fault) {
    case movement::DayReading::Fault::None: return day;
    case movement::DayReading::Fault::Nonexistent:
        throw UsageError(u"L'opzione %1 indica «%2», una data inesistente.", {option, value});
    case movement::DayReading::Fault::Form: break;
    }
    throw UsageError(u"L'opzione %1 vuole una data GG/MM/AAAA, «ieri» o «oggi», non «%2».", {option, value});
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, QDate today)
{
    QHash<QString, QString> values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (!kWithValue.contains(name) && !kFlags.contains(name))
            throw UsageError(argument.startsWith(u"--") ? u"Opzione sconosciuta: «%1»." : u"Argomento inatteso: «%1».",
                             {argument});
        if (values.contains(name))
            throw UsageError(u"L'opzione %1 è indicata più di una volta.", {name});
        if (kFlags.contains(name)) {
            if (equals >= 0)
                throw UsageError(u"L'opzione %1 non vuole un valore.", {name});
            values.insert(name, QString());
        } else if (equals >= 0) {
            values.insert(name, argument.mid(equals + 1));
        } else if (i + 1 < arguments.size()) {
            values.insert(name, arguments[++i]);
        } else {
            throw UsageError(u"L'opzione %1 vuole un valore.", {name});
        }
    }

    CommandLine line;
    if (values.contains(kHelp))
        return line;
    if (values.contains(kVersion)) {
        line.action = CommandLine::Action::Version;
        return line;
    }
    if (values.contains(kLog)) {
        line.log = values.take(kLog).trimmed();
        if (line.log->isEmpty())
            throw UsageError(QStringLiteral("L'opzione --log vuole il nome del file."));
    }
    line.missingDays = values.value(kDalla).compare(kMissingValue, Qt::CaseInsensitive) == 0;
    if (values.contains(kDays)) {
        if (!values.contains(kMissing) && !line.missingDays)
            throw UsageError(QStringLiteral("L'opzione --giorni va con --mancanti o con --dalla mancanti."));
        bool number = false;
        line.days = values.value(kDays).toInt(&number);
        if (!number || line.days < 1 || line.days > kMostDays)
            throw UsageError(u"L'opzione --giorni vuole un numero di giorni da 1 a %1, non «%2».",
                             {QString::number(kMostDays), values.value(kDays)});
        values.remove(kDays);
    }
    if (values.contains(kMissing)) {
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key() != kMissing)
                throw UsageError(u"L'opzione %1 non va con --mancanti.", {it.key()});
        }
        line.action = CommandLine::Action::Missing;
        return line;
    }
    if (line.missingDays) {
        // Each day the file of its own structure, as many files as there are runs of days.
        for (const QString &option : {kAlla, kStructure, kCheck}) {
            if (values.contains(option))
                throw UsageError(u"L'opzione %1 non va con --dalla mancanti.", {option});
        }
        if (values.value(kFile) != kProposed)
            throw UsageError(QStringLiteral("--dalla mancanti va con --file proposto: scrive per ogni giorno mancante il "
                                            "file che propone la finestra."));
    }
    if (values.contains(kScheduledTask)) {
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key() != kScheduledTask && it.key() != kUser)
                throw UsageError(u"L'opzione %1 non va con --attivita-pianificata.", {it.key()});
        }
        line.action = CommandLine::Action::ScheduledTask;
        line.taskFile = values.value(kScheduledTask);
        line.taskUser = values.value(kUser);
        if (line.taskFile.isEmpty())
            throw UsageError(QStringLiteral("L'opzione --attivita-pianificata vuole il file da scrivere."));
        if (line.taskUser.isEmpty())
            throw UsageError(QStringLiteral("Indicare con --utente DOMINIO\\utente per chi è l'attività pianificata."));
        return line;
    }
    if (values.contains(kUser))
        throw UsageError(QStringLiteral("L'opzione --utente va con --attivita-pianificata."));
    line.action = values.contains(kCheck) ? CommandLine::Action::Check : CommandLine::Action::File;
    if (values.contains(kFile)) {
        line.kind = kindNamed(values.value(kFile));
        if (!line.kind && values.value(kFile) != kProposed)
            throw UsageError(u"L'opzione --file vuole classico, avvio, chiusa o proposto, non «%1».", {values.value(kFile)});
    } else if (line.action == CommandLine::Action::File) {
        throw UsageError(QStringLiteral("Indicare il file da scrivere con --file, oppure --controllo."));
    }
    if (!values.contains(kDalla))
        throw UsageError(QStringLiteral("Indicare il primo giorno con --dalla."));
    // The missing days' files start from yesterday's, which begins a register that knows no day.
    line.dalla = dayOption(kDalla, line.missingDays ? QStringLiteral("ieri") : values.value(kDalla), today);
    line.alla = values.contains(kAlla) ? dayOption(kAlla, values.value(kAlla), today) : line.dalla;
    if (movement::readDay(line.alla).day < movement::readDay(line.dalla).day)
        throw UsageError(u"Il giorno di --alla (%1) viene prima di quello di --dalla (%2).", {line.alla, line.dalla});
    if (values.contains(kDallaCamera))
        line.dallaCamera = PulisciTesto(values.value(kDallaCamera));
    if (values.contains(kAllaCamera))
        line.allaCamera = PulisciTesto(values.value(kAllaCamera));
    if (const std::optional<QString> reversed =
            movement::reversedRoomRange(line.dallaCamera, line.allaCamera, kDallaCamera, kAllaCamera))
        throw UsageError(*reversed);
    if (values.contains(kStructure))
        line.structure = values.value(kStructure).trimmed();
    return line;
}

QString usageText(const QString &program)
{
    return QStringLiteral(
               "Uso: %1 --file classico|avvio|chiusa|proposto --dalla GG/MM/AAAA [--alla GG/MM/AAAA]\n"
               "     %2 [--dalla-camera X] [--alla-camera Y] [--struttura N]\n"
               "     %1 --controllo [--file classico|avvio|chiusa] --dalla GG/MM/AAAA [...]\n"
               "     %1 --file proposto --dalla mancanti [--giorni N] [--log F]\n"
               "     %1 --mancanti [--giorni N]\n"
               "     %1 --help | --version\n"
               "     %1 --attivita-pianificata FILE --utente DOMINIO\\utente\n"
               "\n"
               "     %1 [--cartella-hotel [--scegli]]\n"
               "\n"
               "Senza opzioni apre la finestra. Va avviato nella cartella dell'hotel; con --cartella-hotel\n"
               "(la voce del menu delle applicazioni) apre la finestra nella cartella dell'hotel scelta la\n"
               "prima volta, che richiede se non esiste più o non contiene gli archivi del programma\n"
               "alberghiero; con --scegli la richiede comunque. Con le opzioni qui sotto, --cartella-hotel\n"
               "lavora in quella cartella senza chiederla (l'attività pianificata di Linux).\n"
               "\n"
               "  --file K             scrive il file dei movimenti, come \"Crea File\" nella finestra ma senza\n"
               "                       aprire il portale e senza domande: classico (il file giornaliero),\n"
               "                       avvio (il file della fase di Start up), chiusa (struttura chiusa),\n"
               "                       proposto (quello che propone la finestra: il file di avvio finché\n"
               "                       la fase di Start up è aperta, poi quello giornaliero);\n"
               "                       stampa il percorso del file scritto, che annota nel registro\n"
               "                       NaxRegistro.csv\n"
               "  --controllo          controlla le schede del periodo senza scrivere nulla e le stampa in\n"
               "                       CSV (UTF-8); senza --file controlla il file che la finestra propone\n"
               "  --dalla D            il primo giorno: GG/MM/AAAA, ieri oppure oggi; con --file proposto anche\n"
               "                       mancanti: scrive i file di tutti i giorni che mancano al registro\n"
               "                       NaxRegistro.csv (uno per ogni serie di giorni di seguito e per ogni\n"
               "                       struttura), nulla se non manca nessun giorno\n"
               "  --alla D             l'ultimo giorno (se manca, lo stesso di --dalla)\n"
               "  --dalla-camera X     la prima camera (se manca, nessun limite)\n"
               "  --alla-camera Y      l'ultima camera (se manca, ZZZZZZ); le camere si confrontano\n"
               "                       come testo: 99 viene dopo 100\n"
               "  --struttura N        la struttura del file VeluSetup.txt (se manca, la prima)\n"
               "  --mancanti           stampa, uno per riga, i giorni degli ultimi N per cui il registro\n"
               "                       NaxRegistro.csv non ha un file, fino a ieri (durante la fase di\n"
               "                       Start up fino all'altro ieri), poi i file che le schede non\n"
               "                       confermano più, da riscrivere\n"
               "  --giorni N           con --mancanti o --dalla mancanti, quanti giorni guardare (se manca, 7)\n"
               "  --log F              annota nel file F, in una o due righe, quando è stato eseguito e che\n"
               "                       cosa ha scritto o perché non ha scritto nulla (tiene le ultime %3 esecuzioni)\n"
               "  --attivita-pianificata F\n"
               "                       per l'installazione su Windows: scrive nel file F l'attività pianificata\n"
               "                       che scrive i file dei giorni mancanti nella cartella in cui si avvia,\n"
               "                       per l'utente di --utente\n"
               "  --help               questo aiuto\n"
               "  --version            la versione\n"
               "\n"
               "Stato di uscita: 0 fatto, 1 errore (il messaggio va sullo standard error e non si scrive\n"
               "nulla), 2 opzioni sbagliate, 3 il controllo ha trovato schede dubbie, 4 mancano dei giorni\n"
               "o ci sono file da riscrivere.\n"
               "Esempio, ogni mattina i file dei giorni mancanti: %1 --file proposto --dalla mancanti --log naxdesktop.log\n")
        .arg(program, QString(program.size(), u' '), QString::number(kRunsKept));
}

QString usageErrorText(const UsageError &error, const QString &program)
{
    return error.message() + u'\n' + program + QStringLiteral(" --help per l'aiuto\n");
}

bool wantsCommandLine(int argc, const char *const *argv)
{
    const bool fromTheMenu = startsFromTheMenu(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument.startsWith("--") && argument != kFromTheMenu && !(fromTheMenu && argument == kChooseAgain))
            return true;
    }
    return false;
}

namespace {

bool given(int argc, const char *const *argv, QByteArrayView option)
{
    return std::any_of(argv + 1, argv + argc, [option](const char *argument) { return QByteArrayView(argument) == option; });
}

} // namespace

bool startsFromTheMenu(int argc, const char *const *argv)
{
    return given(argc, argv, kFromTheMenu);
}

bool choosesAgain(int argc, const char *const *argv)
{
    return given(argc, argv, kChooseAgain);
}

} // namespace app
