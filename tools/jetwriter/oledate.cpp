#include "oledate.h"

namespace jetwriter {

double oleAutomationDate(const QDateTime &dateTime)
{
    const qint64 days = dateTime.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay();
    const double fraction = dateTime.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

} // namespace jetwriter
