#include "missingdaystext.h"

#include <QLocale>
#include <QStringList>

namespace movement {

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

// The days joined as Italian lists them, "a, b e c", each month named after its last day.
QString dayList(const QList<QDate> &days, bool weekdays)
{
    QStringList items;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const QDate day = days[i];
        QString item = weekdays ? kItalian.dayName(day.dayOfWeek()) + u' ' : QString();
        item += QString::number(day.day());
        const bool monthEnds = i + 1 == days.size() || days[i + 1].month() != day.month()
                               || days[i + 1].year() != day.year();
        if (monthEnds)
            item += u' ' + kItalian.monthName(day.month());
        items << item;
    }
    const QString last = items.takeLast();
    return items.isEmpty() ? last : items.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

} // namespace

QString spokenDay(QDate day)
{
    return dayList({day}, true);
}

QString missingDaysText(const QList<QDate> &days)
{
    switch (days.size()) {
    case 0: return {};
    case 1: return QStringLiteral("Manca il file di ") + dayList(days, true);
    case 2: return QStringLiteral("Mancano i file di ") + dayList(days, true);
    default: return QStringLiteral("Mancano %1 file: ").arg(days.size()) + dayList(days, false);
    }
}

} // namespace movement
