#include "missingdaystext.h"

#include <QLocale>
#include <QStringList>

namespace movement {

namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);

// The numbers joined as Italian lists them: "a, b e c".
QString joined(QStringList items)
{
    const QString last = items.takeLast();
    return items.isEmpty() ? last : items.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

// The days joined, each month named after its last day in the list, then the structures lacking it.
QString dayList(const QList<MissingDay> &days, bool weekdays)
{
    QStringList items;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const QDate day = days[i].day;
        QString item = weekdays ? kItalian.dayName(day.dayOfWeek()) + u' ' : QString();
        item += QString::number(day.day());
        const bool monthEnds = i + 1 == days.size() || days[i + 1].day.month() != day.month()
                               || days[i + 1].day.year() != day.year();
        if (monthEnds)
            item += u' ' + kItalian.monthName(day.month());
        if (days[i].partly())
            item += u' ' + structuresNote(days[i].structures);
        items << item;
    }
    return joined(items);
}

} // namespace

QString spokenDay(QDate day)
{
    return dayList({{day, {}}}, true);
}

QString structuresNote(const QList<int> &structures)
{
    if (structures.isEmpty())
        return {};
    QStringList numbers;
    for (int n : structures)
        numbers << QString::number(n);
    return (structures.size() == 1 ? QStringLiteral("(struttura ") : QStringLiteral("(strutture ")) + joined(numbers)
           + u')';
}

QString missingDaysText(const QList<MissingDay> &days)
{
    qsizetype files = 0;
    for (const MissingDay &day : days)
        files += day.files();
    if (files == 0)
        return {};
    if (files == 1)
        return QStringLiteral("Manca il file di ") + dayList(days, true);
    if (days.size() <= 2)
        return QStringLiteral("Mancano i file di ") + dayList(days, true);
    return QStringLiteral("Mancano %1 file: ").arg(files) + dayList(days, false);
}

QString fileDays(QDate first, QDate last)
{
    if (first == last)
        return QStringLiteral("di ") + spokenDay(first);
    const bool sameMonth = first.month() == last.month() && first.year() == last.year();
    return QStringLiteral("dal %1 al %2 %3")
        .arg(sameMonth ? QString::number(first.day()) : QStringLiteral("%1 %2").arg(first.day()).arg(kItalian.monthName(first.month())))
        .arg(last.day())
        .arg(kItalian.monthName(last.month()));
}

QString figuresChange(const FileFigures &then, const FileFigures &now)
{
    const struct
    {
        qint64 then;
        qint64 now;
        const char16_t *one;
        const char16_t *many;
    } figures[] = {{then.arrivals, now.arrivals, u"arrivo", u"arrivi"},
                   {then.departures, now.departures, u"partenza", u"partenze"},
                   {then.guestsPresent, now.guestsPresent, u"ospite presente", u"ospiti presenti"},
                   {then.roomsOccupied, now.roomsOccupied, u"camera occupata", u"camere occupate"}};
    QStringList changes;
    for (const auto &f : figures) {
        const qint64 change = f.now - f.then;
        if (change != 0)
            changes << QStringLiteral("%1 %2 %3")
                           .arg(QString::number(std::abs(change)),
                                QString::fromUtf16(std::abs(change) == 1 ? f.one : f.many),
                                change > 0 ? QStringLiteral("in più") : QStringLiteral("in meno"));
    }
    return changes.join(QStringLiteral(", "));
}

QString staleFileText(const StaleFile &file)
{
    return QStringLiteral("Il file ") + fileDays(file.entry.figures.first, file.entry.figures.last)
           + (file.structure > 0 ? u' ' + structuresNote({file.structure}) : QString())
           + QStringLiteral(" non corrisponde più alle schede: ") + figuresChange(file.entry.figures, file.now);
}

} // namespace movement
