#include "measurement.h"

#include "benchmarkhotel.h"
#include "cardcheck.h"
#include "daytext.h"
#include "dbengine.h"
#include "jetreader.h"
#include "movementfile.h"
#include "classicfile.h"
#include "filerecount.h"
#include "outputfile.h"
#include "savefile.h"
#include "writtenfiles.h"
#include "roomrange.h"

#include <QElapsedTimer>
#include <QFile>

#include <stdexcept>

namespace benchmark {

namespace {

struct Run
{
    enum class Work {
        File,     // the file written whole, its checksum taken as it is written
        Check,    // the card check of the file rather than the file
        Plain,    // the file written whole without its checksum
        Recorded, // the file and its line in a register that holds a year of lines, as a run records it
        Recount,  // the daily files of the days, one a day, counted again as the window does at start
    };
    movement::FileKind kind = movement::FileKind::Classic;
    int days = 1;
    bool cached = true;
    Work work = Work::File;
};

Run runOf(const QString &id)
{
    using movement::FileKind;
    static const QHash<QString, Run> runs{
        {QStringLiteral("classic1"), {FileKind::Classic, 1, true}},
        {QStringLiteral("classic3"), {FileKind::Classic, 3, true}},
        {QStringLiteral("classic31"), {FileKind::Classic, 31, true}},
        {QStringLiteral("classic366"), {FileKind::Classic, 366, true}},
        {QStringLiteral("schema1"), {FileKind::Schema, 1, true}},
        {QStringLiteral("closed366"), {FileKind::Closed, 366, true}},
        {QStringLiteral("literal3"), {FileKind::Classic, 3, false}},
        {QStringLiteral("check366"), {FileKind::Classic, 366, true, Run::Work::Check}},
        {QStringLiteral("plain366"), {FileKind::Classic, 366, true, Run::Work::Plain}},
        {QStringLiteral("record366"), {FileKind::Classic, 366, true, Run::Work::Recorded}},
        {QStringLiteral("classic7"), {FileKind::Classic, 7, true}},
        {QStringLiteral("recount7"), {FileKind::Classic, 7, true, Run::Work::Recount}},
    };
    const auto it = runs.constFind(id);
    if (it == runs.cend())
        throw std::runtime_error(QStringLiteral("Misura sconosciuta: «%1».").arg(id).toStdString());
    return *it;
}

QDate firstDay(const Run &run)
{
    return referenceDay().addDays(1 - run.days);
}

movement::MovementContext contextFor(const QDir &hotel, const QDir &out, const QString &id)
{
    movement::MovementContext context;
    context.folder = hotel;
    context.PercorsoFile = out.filePath(id + QStringLiteral("/Movimenti.xml"));
    context.CodiceStruttura = QStringLiteral("012345");
    context.selector = QStringLiteral("-");
    context.today = referenceDay();
    return context;
}

// Every table the generators, the counts and the lookups read, decoded once.
void decodeEveryTable(const QDir &hotel)
{
    static const std::pair<const char *, const char *> tables[] = {
        {"Scheda_Cliente.mdb", "Scheda_Cliente"}, {"SchedaStoricoClienti.mdb", "Scheda_Cliente"},
        {"NumeriCamere.mdb", "NumeriCamere"},     {"TipiCamere.mdb", "TipiCamere"},
        {"Comuni.mdb", "CodiciVari"},             {"DAVozIzi.mdb", "Stati"},
    };
    for (const auto &[file, table] : tables)
        hoteldb::JetReader(hotel.filePath(QLatin1String(file))).readTable(QLatin1String(table));
}

// The register's lines of a daily file a day from `first` to the reference day, whose figures
// the cards do not give: every one is written again, as a late card would have it.
QList<movement::RegisterEntry> weekOfFiles(QDate first)
{
    QList<movement::RegisterEntry> entries;
    for (QDate day = first; day <= referenceDay(); day = day.addDays(1))
        entries << movement::RegisterEntry::forFile(u"Movimenti.xml"_qs, movement::FileKind::Classic, {day, day, 0, 0, 0, 0},
                                                    0, QString(), movement::RegisterEntry::Source::CommandLine,
                                                    day.addDays(1).startOfDay(), u"012345"_qs, QString(), u"ZZZZZZ"_qs);
    return entries;
}

// A register as a year of daily runs leaves it.
void fillRegister(const movement::WrittenFiles &register_)
{
    for (int d = 365; d >= 1; --d) {
        const QDate day = referenceDay().addDays(-d);
        movement::FileFigures figures{day, day, 40, 38, 350, 160};
        register_.append(movement::RegisterEntry::forFile(u"Movimenti.xml"_qs, movement::FileKind::Classic, figures, 60000,
                                                          QString(64, u'a'), movement::RegisterEntry::Source::CommandLine,
                                                          day.addDays(1).startOfDay().addSecs(27000), u"012345"_qs,
                                                          QString(), u"ZZZZZZ"_qs));
    }
}

} // namespace

QList<Measurement> measurements()
{
    return {
        {QStringLiteral("floor"), QStringLiteral("Floor: every table read decoded once"), 5},
        {QStringLiteral("classic1"), QStringLiteral("Classic file, 1 day"), 5},
        {QStringLiteral("classic3"), QStringLiteral("Classic file, 3 days"), 5},
        {QStringLiteral("classic31"), QStringLiteral("Classic file, 31 days"), 5},
        {QStringLiteral("classic366"), QStringLiteral("Classic file, 366 days"), 5},
        {QStringLiteral("schema1"), QStringLiteral("Schema-0.5 file, 1 day"), 5},
        {QStringLiteral("closed366"), QStringLiteral("Closed-structure file, 366 days"), 5},
        {QStringLiteral("literal3"), QStringLiteral("Classic file, 3 days, decoding at every opening"), 3},
        {QStringLiteral("check366"), QStringLiteral("Card check of the classic file, 366 days"), 5},
        {QStringLiteral("plain366"), QStringLiteral("Classic file, 366 days, without its checksum"), 5},
        {QStringLiteral("record366"), QStringLiteral("Classic file, 366 days, recorded in a register of a year"), 5},
        {QStringLiteral("classic7"), QStringLiteral("Classic file, 7 days"), 5},
        {QStringLiteral("recount7"), QStringLiteral("The 7 daily files of a week counted again"), 5},
    };
}

double runOnce(const QString &id, const QDir &hotel, const QDir &out)
{
    const bool floor = id == u"floor";
    const Run run = floor ? Run{} : runOf(id);
    if (!floor && !out.mkpath(id))
        throw std::runtime_error(QStringLiteral("Impossibile creare la cartella «%1».").arg(out.filePath(id)).toStdString());
    const movement::MovementContext context = contextFor(hotel, out, id);
    // The room fields hold the window's first texts: every room.
    const movement::GeneratorArgs args{movement::dayText(firstDay(run)), movement::dayText(referenceDay()), QString(),
                                       movement::kLastRoom.toString()};

    const movement::WrittenFiles register_(QDir(out.filePath(id)));
    if (run.work == Run::Work::Recorded)
        fillRegister(register_);

    hoteldb::DBEngine &engine = hoteldb::DBEngine::instance();
    engine.dropCache();
    engine.setCaching(run.cached);
    QElapsedTimer timer;
    timer.start();
    if (floor) {
        decodeEveryTable(hotel);
    } else if (run.work == Run::Work::Check) {
        movement::checkCards(run.kind, context, args);
    } else if (run.work == Run::Work::Recount) {
        movement::staleFiles(movement::DayCoverage(weekOfFiles(firstDay(run))), firstDay(run), referenceDay(), context);
    } else if (run.work == Run::Work::Plain) {
        const QString path = movement::outputFilePath(context.folder, context.PercorsoFile, firstDay(run));
        core::saveAtomically(path, [&](QIODevice &file) { movement::CreaMovimentiClassico(context, args, file); });
    } else {
        movement::WrittenFile written;
        const QString path = movement::createMovementFile(run.kind, context, args, &written);
        if (run.work == Run::Work::Recorded)
            register_.append(movement::RegisterEntry::forFile(path, run.kind, written.figures, written.size, written.sha256,
                                                              movement::RegisterEntry::Source::CommandLine,
                                                              QDateTime::currentDateTime(), context.CodiceStruttura,
                                                              args.DallaCamera, args.AllaCamera));
    }
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    engine.setCaching(true);
    return milliseconds;
}

QString outputPath(const QString &id, const QDir &out)
{
    if (id == u"floor")
        return {};
    const Run run = runOf(id);
    if (run.work == Run::Work::Check || run.work == Run::Work::Recount)
        return {};
    return movement::outputFilePath(out, contextFor(out, out, id).PercorsoFile,
                                    movement::reportedDay(run.kind, firstDay(run)));
}

qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace benchmark
