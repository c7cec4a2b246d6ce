#pragma once

#include <QDateTime>

namespace jetwriter {

// The date and time as Jet stores them: days since 30 December 1899, the time of day as
// the fraction. Before that day the days count down while the fraction still counts
// forward (-1.25 is 29 December 1899 at 06:00). The clock time is taken as written,
// whatever the time zone of the value.
double oleAutomationDate(const QDateTime &dateTime);

} // namespace jetwriter
