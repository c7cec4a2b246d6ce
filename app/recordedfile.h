#pragma once

#include "daycoverage.h"
#include "filerecount.h"
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

// What the register says of the days, as the yellow strip, "File scritti" and --mancanti all
// show it: the one answer to "which days are missing?".
struct WrittenDays
{
    movement::RegisterContents contents;
    movement::DayCoverage coverage;
    // The file "Crea File" proposes now, and the last day a file is due for: the day that file
    // reports when "Dalla data" holds yesterday (the day before yesterday for the start-up file,
    // which reports the night before the typed day).
    movement::FileKind proposed;
    QDate lastDue;
    // The folder, the structure list and today, for counting the files again.
    movement::MovementContext context;

    // The days lacking a file among the `days` that end with the last one due.
    QList<movement::MissingDay> missing(int days = movement::kMissingDaysLooked) const;
    // The files of those days whose figures the cards no longer give, counted again now. Throws
    // as the generator does.
    QList<movement::StaleFile> stale(int days = movement::kMissingDaysLooked) const;
};

// The register and the structure list of the hotel's folder, on the day `today`. Throws with the
// operator's whole message when either cannot be read.
WrittenDays readWrittenDays(const QDir &folder, QDate today);

// The yellow strip's note on the missing days and the files `stale` names: its sentences, and in
// full, for a tooltip, the sentences and the warning about the register's lines that cannot be
// read; a short note when the register cannot be read.
struct MissingDaysNote
{
    QString text;
    QString detail;
};
MissingDaysNote missingDaysNote(const QDir &folder, QDate today, const QList<movement::StaleFile> &stale = {});

} // namespace app
