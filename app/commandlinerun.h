#pragma once

#include <QDate>
#include <QDir>
#include <QIODevice>
#include <QStringList>

namespace app {

// Exit statuses of the command line.
enum ExitStatus { kExitDone = 0, kExitFailure = 1, kExitUsage = 2, kExitDoubtful = 3, kExitMissing = 4 };

// Runs the command line in the hotel's folder as the window would run the same choices, with
// `today` as the calendar day, without a window, a box or the browser: writes the file and
// prints its path (and on `err` what the operator must know about the register of written
// files), prints the card check as CSV, or the days the register misses, one a line. A failure
// prints the window's message on `err` and writes nothing; bad options print what is wrong and
// where the help is on `err`. `program` is the program's name as it was started, for the help.
int runCommandLine(const QString &program, const QStringList &arguments, const QDir &folder, QDate today,
                   QIODevice &out, QIODevice &err);

// The same on the process's standard output and error, in the current folder, on today's date,
// for the process's arguments, the program first.
int runCommandLine(const QStringList &programAndArguments);

} // namespace app
