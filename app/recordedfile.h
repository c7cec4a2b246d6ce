#pragma once

#include "registerentry.h"
#include "runcontext.h"
#include "writtenfiles.h"

#include <QDateTime>
#include <QDir>
#include <QString>

// What the window and the command line do with the register of written files, "NaxRegistro.csv".
namespace app {

// A movement file written and what the operator must know about its line in the register.
struct RecordedFile
{
    QString path;
    // Empty when the line was added to a sound register; otherwise why it was not added, or
    // which of the register's lines could not be read.
    QString note;
};

// Writes the run's movement file, then adds its line to the register in the hotel's folder.
// A failure to write the file throws as createMovementFile does and leaves the register as it
// was; a register that cannot be written never undoes the file: the note says so and why.
RecordedFile writeRecordedFile(const Run &run, movement::RegisterEntry::Source source, const QDateTime &now);

// What the register holds, for the window and the command line. Throws OperatorError with the
// operator's whole message when it cannot be read.
movement::RegisterContents readWrittenFiles(const QDir &folder);

// The yellow strip's words for the days of the last week no file covers; empty when none is
// missing, and a short note when the register cannot be read.
QString missingDaysStrip(const QDir &folder, QDate today);

} // namespace app
