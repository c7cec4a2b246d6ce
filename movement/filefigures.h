#pragma once

#include <QDate>

namespace movement {

// What a movement file reports, as its generator counted it while writing it, so that the
// register of written files repeats the file's own figures rather than counting them again.
struct FileFigures
{
    QDate first; // the first and last day the file reports
    QDate last;
    qint64 arrivals = 0;   // over all its days
    qint64 departures = 0; // likewise
    // In the night that begins on its last day: the guests lodged and the rooms they occupy.
    qint64 guestsPresent = 0;
    qint64 roomsOccupied = 0;
};

} // namespace movement
