#pragma once

#include <QDir>
#include <QList>
#include <QString>

namespace benchmark {

// One line of the benchmark's table: what is timed, from a cold start of the access layer.
struct Measurement
{
    QString id;    // names it on the command line of the child process that runs it
    QString label; // as the table shows it
    int runs = 5;  // the median of these is reported
};

QList<Measurement> measurements();

// Runs the measurement once on the hotel in `hotel`, writing into `out`, and returns the
// milliseconds it took. Nothing is decoded when it starts. Throws for an unknown id and lets
// the errors of the tool through.
double runOnce(const QString &id, const QDir &hotel, const QDir &out);

// The path of the file the measurement writes into `out`; empty for the floor and the check.
QString outputPath(const QString &id, const QDir &out);

// The peak resident memory of this process so far, in KiB (VmHWM), or -1 where it is unknown.
qint64 peakResidentKiB();

} // namespace benchmark
