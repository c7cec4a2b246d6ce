#pragma once

#include "registerentry.h"

#include <QDate>
#include <QList>

namespace movement {

// Which days the register's files account for. A daily or closed-structure file covers every
// day of its range; the start-up file covers none, as it is not the file the portal expects
// for a day once the start-up phase is over. When several files cover a day, the one written
// last tells whether the structure was open or closed.
class DayCoverage
{
public:
    enum class State { Missing, Written, Closed };

    // `entries` in the register's order, oldest first.
    explicit DayCoverage(QList<RegisterEntry> entries);

    State state(QDate day) const;

    // The days from `first` to `last` that no file covers, in date order.
    QList<QDate> missing(QDate first, QDate last) const;

    // The days of the `days` before `today` (yesterday and the ones before it) that no file covers.
    QList<QDate> missingBefore(QDate today, int days) const;

private:
    QList<RegisterEntry> m_entries;
};

// The word a day's state shows in the window and its CSV: "scritto", "chiuso", "mancante".
QString stateWord(DayCoverage::State state);

// The days from `first` to `last` and their state as a CSV file a spreadsheet opens as it
// stands, as the card check's: the captions "Giorno" and "Stato", then a row per day.
QByteArray coverageCsv(const DayCoverage &coverage, QDate first, QDate last);

} // namespace movement
