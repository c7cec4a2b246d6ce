#pragma once

#include "registerentry.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <algorithm>

namespace movement {

// How many days, up to the last one due, the missing days look at unless told otherwise: a week,
// so that a Monday shows the weekend.
inline constexpr int kMissingDaysLooked = 7;

// A day some structure has no file for. `structures` are the numbers, from 1, of the structures
// of "VeluSetup.txt" that lack it, of the `listed` the list names; none and 0 without a list.
struct MissingDay
{
    QDate day;
    QList<int> structures;
    int listed = 0;

    // Whether only some of the structures lack it, which is then worth naming.
    bool partly() const { return !structures.isEmpty() && structures.size() < listed; }
    // How many files the day lacks: one for each structure that lacks it.
    qsizetype files() const { return std::max<qsizetype>(1, structures.size()); }

    bool operator==(const MissingDay &) const = default;
};

// Which days the register's files account for. A daily or closed-structure file covers every
// day of its range, the start-up file the one day it reports. When several files cover a day,
// the one written last tells whether the structure was open or closed. The register knows the
// days from the first one any of its lines reports: the days before it are unknown, neither
// written nor missing, since the files of those days were sent with another tool or before the
// register began.
//
// With a structure list each structure reports its own days, under its code: a day is written
// only when every structure has a file for it. The start-up file carries no code and covers
// its day for every structure.
class DayCoverage
{
public:
    enum class State { Unknown, Missing, Written, Closed };

    // `entries` in the register's order; `structureCodes` the codes of the listed structures,
    // in the list's order, none without a list.
    explicit DayCoverage(QList<RegisterEntry> entries, QStringList structureCodes = {});

    // The first day the register knows; invalid when no line counts for a day.
    QDate firstKnown() const { return m_firstKnown; }

    // Missing when a structure lacks the day; Closed when the last file of every structure
    // says so; otherwise Written.
    State state(QDate day) const;

    // The day's state when not Missing; the structures that lack it otherwise.
    std::optional<MissingDay> missing(QDate day) const;

    // The days from `first` to `last` that lack a file, in date order.
    QList<MissingDay> missing(QDate first, QDate last) const;

    // The register's line whose file tells the structure's state on the day, structure n from 1,
    // 0 without a list; nullptr when no file covers the day for it.
    const RegisterEntry *deciding(QDate day, int structure) const;

    int structureCount() const { return int(m_codes.size()); }

private:
    bool covers(const RegisterEntry &entry, int structure) const;

    QList<RegisterEntry> m_entries; // in the order they were written
    QStringList m_codes;
    QDate m_firstKnown;
};

// The word a day's state shows in the window and its CSV: "sconosciuto", "mancante", "scritto",
// "chiuso".
QString stateWord(DayCoverage::State state);

// The days from `first` to `last` and their state as a CSV file a spreadsheet opens as it
// stands, as the card check's: the captions "Giorno", "Stato" and "Strutture senza file", then a
// row per day.
QByteArray coverageCsv(const DayCoverage &coverage, QDate first, QDate last);

} // namespace movement
