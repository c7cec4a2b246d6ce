#include "measurement.h"

#include "benchmarkhotel.h"
#include "cardcheck.h"
#include "daytext.h"
#include "dbengine.h"
#include "jetreader.h"
#include "movementfile.h"
#include "outputfile.h"
#include "roomrange.h"

#include <QElapsedTimer>
#include <QFile>

#include <stdexcept>

namespace benchmark {

namespace {

struct Run
{
    movement::FileKind kind = movement::FileKind::Classic;
    int days = 1;
    bool cached = true;
    bool check = false; // the card check of the file rather than the file
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
        {QStringLiteral("check366"), {FileKind::Classic, 366, true, true}},
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

    hoteldb::DBEngine &engine = hoteldb::DBEngine::instance();
    engine.dropCache();
    engine.setCaching(run.cached);
    QElapsedTimer timer;
    timer.start();
    if (floor)
        decodeEveryTable(hotel);
    else if (run.check)
        movement::checkCards(run.kind, context, args);
    else
        movement::createMovementFile(run.kind, context, args);
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    engine.setCaching(true);
    return milliseconds;
}

QString outputPath(const QString &id, const QDir &out)
{
    if (id == u"floor")
        return {};
    const Run run = runOf(id);
    if (run.check)
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
