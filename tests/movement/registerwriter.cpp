// registerwriter <folder> <writer w> <lines>: adds lines to the register as the tool does, line n
// reporting w arrivals and n departures, so that a test can run two writers at the same moment.
// A run of the tool adds one line and ends; a writer adding line after line with no pause would
// take the lock back at once, leaving the other few chances and the lines little mixed. So each
// line is followed by a short random pause, often shorter and often longer than the other
// writer's wait between its tries.

#include "writtenfiles.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4)
        return 2;
    movement::RegisterEntry entry;
    entry.writtenAt = QDateTime(QDate(2026, 12, 7), QTime(8, 0));
    entry.structure = QStringLiteral("ABC123");
    entry.path = QStringLiteral("DuzizUzazi2026-12-06.xml");
    entry.size = 0;
    entry.sha256 = QString(64, u'0');
    entry.figures = {QDate(2026, 12, 6), QDate(2026, 12, 6), args[2].toLongLong(), 0, 0, 0};
    try {
        for (int n = 1; n <= args[3].toInt(); ++n) {
            entry.figures.departures = n;
            movement::WrittenFiles(QDir(args[1])).append(entry);
            QThread::msleep(QRandomGenerator::global()->bounded(50));
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
