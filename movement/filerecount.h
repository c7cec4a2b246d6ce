#pragma once

#include "daycoverage.h"
#include "filefigures.h"
#include "movementcontext.h"
#include "registerentry.h"

#include <QDate>
#include <QList>

namespace movement {

// A file the register holds whose figures the cards no longer give: a guest who arrived at 23:30
// and was entered the next morning, after the file was written; a card corrected since.
struct StaleFile
{
    RegisterEntry entry;
    int structure = 0; // the structure it reports for, from 1; 0 without a list and for the start-up file
    FileFigures now;   // what the cards give now

    bool operator==(const StaleFile &) const = default;
};

// The files that tell the state of the days from `first` to `last`, counted again by their own
// generator with the cards as they are now, and those whose figures differ from the register's:
// arrivals, departures, guests present and rooms occupied. Figures, not bytes, are compared:
// archiving a card changes its identifier in a new file while nothing reported changes.
// Closed-structure files, lines whose figures cannot be read, files of more days than the range
// holds and files of a structure no longer listed are not counted again. `context` gives the
// folder, the structure list and today; the selector is each file's own. Throws as the
// generator does.
QList<StaleFile> staleFiles(const DayCoverage &coverage, QDate first, QDate last, const MovementContext &context);

} // namespace movement
