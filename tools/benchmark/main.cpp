// naxbenchmark [--cache FOLDER] [--runs N]: builds the large benchmark hotel once into the cache
// folder, then times each measurement from a cold start in a child process of its own (so that
// each peak of resident memory is its own) and prints the table with the ratios to the floor.
#include "benchmarkhotel.h"
#include "measurement.h"

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

// The child: runs one measurement `runs` times and prints the times, then the peak memory.
int measure(const QString &id, const QDir &hotel, const QDir &output, int runs)
{
    QStringList times;
    for (int i = 0; i < runs; ++i)
        times << QString::number(runOnce(id, hotel, output), 'f', 3);
    out() << times.join(u' ') << "\n" << peakResidentKiB() << "\n";
    return 0;
}

struct Result
{
    double median = 0;
    qint64 peakKiB = -1;
};

Result runChild(const Measurement &m, const QDir &hotel, const QDir &output, int runs)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--measure"), m.id, QStringLiteral("--hotel"), hotel.path(), QStringLiteral("--out"),
                 output.path(), QStringLiteral("--runs"), QString::number(runs)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("La misura «%1» non è andata a termine.").arg(m.label).toStdString());
    const QStringList lines = QString::fromLatin1(child.readAllStandardOutput()).split(u'\n');
    std::vector<double> times;
    for (const QString &time : lines.value(0).split(u' ', Qt::SkipEmptyParts))
        times.push_back(time.toDouble());
    if (times.empty())
        throw std::runtime_error(QStringLiteral("La misura «%1» non ha dato tempi.").arg(m.label).toStdString());
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return {n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2, lines.value(1).toLongLong()};
}

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
    out() << "| Measurement | Median wall time | Ratio to the floor | Peak resident memory |\n";
    out() << "|---|---:|---:|---:|\n" << Qt::flush;
    QHash<QString, Result> results;
    for (const Measurement &m : measurements()) {
        const Result r = runChild(m, hotel, QDir(output.path()), runsOption > 0 ? runsOption : m.runs);
        results.insert(m.id, r);
        const double floor = results.value(QStringLiteral("floor")).median;
        out() << "| " << m.label << " | " << QString::number(r.median, 'f', r.median < 100 ? 1 : 0) << " ms | "
              << QString::number(r.median / floor, 'f', 2) << " | " << QString::number(r.peakKiB / 1024.0, 'f', 0)
              << " MB |\n" << Qt::flush;
    }

    const double floor = results.value(QStringLiteral("floor")).median;
    const auto ratio = [&](const char *id) { return results.value(QLatin1String(id)).median / floor; };
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
        {QStringLiteral("closed-structure 366 days < 50 ms"), results.value(QStringLiteral("closed366")).median < 50},
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
            return measure(parser.value(measureOption), QDir(parser.value(hotelOption)), QDir(parser.value(outOption)),
                           std::max(runCount, 1));
        return compare(preparedHotel(parser.value(cache)), runCount);
    } catch (const std::exception &e) {
        QTextStream(stderr) << "naxbenchmark: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
