// naxbenchmark [--cache FOLDER] [--runs N]: builds the large benchmark hotel once into the cache
// folder, then times every run of every measurement from a cold start in a child process of its
// own (so that each peak of resident memory is its own) and prints the table of the medians with
// their ratios to the floor, and which targets are met.
#include "benchmarkhotel.h"
#include "measurement.h"
#include "operatorerror.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>

using namespace benchmark;

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// The child: runs the measurement once and prints its time, then its peak memory.
int measure(const QString &id, const QDir &hotel, const QDir &output)
{
    const double milliseconds = runOnce(id, hotel, output);
    out() << QString::number(milliseconds, 'f', 3) << "\n" << peakResidentKiB() << "\n";
    return 0;
}

struct Sample
{
    double milliseconds = 0;
    qint64 peakKiB = -1;
};

// One run in a child process of its own: nothing decoded when it starts, its own memory peak.
Sample runChild(const Measurement &m, const QDir &hotel, const QDir &output)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure"), m.id, QStringLiteral("--hotel"), hotel.path(), QStringLiteral("--out"),
                 output.path()});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("La misura «%1» non è andata a termine.").arg(m.label).toStdString());
    const QStringList lines = QString::fromLatin1(child.readAllStandardOutput()).split(u'\n');
    bool ok = false;
    const double time = lines.value(0).toDouble(&ok);
    if (!ok)
        throw std::runtime_error(QStringLiteral("La misura «%1» non ha dato il suo tempo.").arg(m.label).toStdString());
    return {time, lines.value(1).toLongLong()};
}

struct Result
{
    std::vector<double> times;
    qint64 peakKiB = -1;

    double median() const
    {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        return n == 0 ? 0 : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

QString machine()
{
    QFile cpuInfo(QStringLiteral("/proc/cpuinfo"));
    QString cpu = QStringLiteral("unknown processor");
    if (cpuInfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : cpuInfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                cpu = QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
                break;
            }
        }
    }
    return QStringLiteral("%1, %2 logical processors, %3").arg(cpu).arg(QThread::idealThreadCount()).arg(QSysInfo::prettyProductName());
}

QDir preparedHotel(const QString &cacheOption)
{
    const QString base = cacheOption.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) : cacheOption;
    // A new generation of the hotel gets a new folder name.
    QDir hotel(QDir(base).filePath(QStringLiteral("hotel-1")));
    const QString complete = hotel.filePath(QStringLiteral("complete"));
    if (QFile::exists(complete))
        return hotel;
    if (!hotel.mkpath(QStringLiteral(".")))
        throw std::runtime_error(QStringLiteral("Impossibile creare la cartella «%1».").arg(hotel.path()).toStdString());
    out() << "Writing the benchmark hotel into " << hotel.path() << " (once)..." << Qt::endl;
    QElapsedTimer timer;
    timer.start();
    writeBenchmarkHotel(HotelSize{}, hotel);
    QFile mark(complete);
    if (!mark.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("Impossibile scrivere «%1».").arg(complete).toStdString());
    out() << "Written in " << timer.elapsed() / 1000.0 << " s." << Qt::endl;
    return hotel;
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile x(a), y(b);
    return x.open(QIODevice::ReadOnly) && y.open(QIODevice::ReadOnly) && x.readAll() == y.readAll();
}

int compare(const QDir &hotel, int runsOption)
{
    QTemporaryDir output;
    if (!output.isValid())
        throw std::runtime_error("Impossibile creare una cartella temporanea.");
    out() << "Machine: " << machine() << "\n";
    out() << "Hotel: " << hotel.path() << ", reference day " << referenceDay().toString(Qt::ISODate) << "\n\n";
    out() << "Rounds: " << Qt::flush;
    // Round after round of every measurement, so that a busy spell of the machine weighs on
    // all of them alike rather than on one.
    const QList<Measurement> list = measurements();
    QHash<QString, Result> results;
    const int rounds = std::ranges::max(list, {}, &Measurement::runs).runs;
    for (int round = 0; round < (runsOption > 0 ? runsOption : rounds); ++round) {
        for (const Measurement &m : list) {
            if (runsOption <= 0 && round >= m.runs)
                continue;
            const Sample sample = runChild(m, hotel, QDir(output.path()));
            Result &r = results[m.id];
            r.times.push_back(sample.milliseconds);
            r.peakKiB = std::max(r.peakKiB, sample.peakKiB);
        }
        out() << "." << Qt::flush;
    }
    out() << "\n\n| Measurement | Median wall time | Ratio to the floor | Peak resident memory |\n";
    out() << "|---|---:|---:|---:|\n";
    const double floor = results.value(QStringLiteral("floor")).median();
    for (const Measurement &m : list) {
        const Result &r = results[m.id];
        const double median = r.median();
        out() << "| " << m.label << " | " << QString::number(median, 'f', median < 100 ? 1 : 0) << " ms | "
              << QString::number(median / floor, 'f', 2) << " | " << QString::number(r.peakKiB / 1024.0, 'f', 0)
              << " MB |\n";
    }

    const auto ratio = [&](const char *id) { return results.value(QLatin1String(id)).median() / floor; };
    const bool identical = sameBytes(outputPath(QStringLiteral("classic3"), QDir(output.path())),
                                     outputPath(QStringLiteral("literal3"), QDir(output.path())));
    struct Target
    {
        QString text;
        bool met;
    };
    const Target targets[] = {
        {QStringLiteral("classic 1 day <= 1.3 x floor"), ratio("classic1") <= 1.3},
        {QStringLiteral("schema-0.5 1 day <= 1.3 x floor"), ratio("schema1") <= 1.3},
        {QStringLiteral("classic 31 days <= 1.5 x floor"), ratio("classic31") <= 1.5},
        {QStringLiteral("classic 366 days <= 2.5 x floor"), ratio("classic366") <= 2.5},
        {QStringLiteral("card check 366 days <= 1.1 x classic 366 days"), ratio("check366") <= 1.1 * ratio("classic366")},
        {QStringLiteral("closed-structure 366 days < 50 ms"), results.value(QStringLiteral("closed366")).median() < 50},
        {QStringLiteral("checksum and register < 1/20 of the 366-day run recorded"),
         results.value(QStringLiteral("record366")).median() - results.value(QStringLiteral("plain366")).median()
             < results.value(QStringLiteral("record366")).median() / 20},
        {QStringLiteral("the week's files counted again <= 1.1 x the 7-day file"), ratio("recount7") <= 1.1 * ratio("classic7")},
        {QStringLiteral("peak memory of the 366-day run < 300 MB"),
         results.value(QStringLiteral("classic366")).peakKiB < 300 * 1024},
        {QStringLiteral("3-day file identical to the one decoded at every opening"), identical},
    };
    out() << "\n";
    bool all = true;
    for (const Target &t : targets) {
        out() << (t.met ? "met:     " : "NOT MET: ") << t.text << "\n";
        all = all && t.met;
    }
    return identical ? (all ? 0 : 3) : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("naxbenchmark"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the movement files on a large hotel."));
    parser.addHelpOption();
    const QCommandLineOption cache(QStringLiteral("cache"), QStringLiteral("Folder of the benchmark hotel."), QStringLiteral("folder"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs of every measurement."), QStringLiteral("n"));
    const QCommandLineOption measureOption(QStringLiteral("measure"), QStringLiteral("Internal: one measurement."), QStringLiteral("id"));
    const QCommandLineOption hotelOption(QStringLiteral("hotel"), QStringLiteral("Internal."), QStringLiteral("folder"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Internal."), QStringLiteral("folder"));
    parser.addOptions({cache, runs, measureOption, hotelOption, outOption});
    parser.process(app);

    try {
        const int runCount = parser.value(runs).toInt();
        if (parser.isSet(measureOption))
            return measure(parser.value(measureOption), QDir(parser.value(hotelOption)), QDir(parser.value(outOption)));
        return compare(preparedHotel(parser.value(cache)), runCount);
    } catch (const std::exception &e) {
        QTextStream(stderr) << "naxbenchmark: " << core::messageOf(e) << "\n";
        return 1;
    }
}
