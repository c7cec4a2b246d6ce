#include "daytext.h"

#include "operatorerror.h"

#include <algorithm>

namespace movement {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isSeparator(QChar c) { return c == u'/' || c == u'-' || c == u'.'; }

bool hasDayShape(const QString &text)
{
    if (text.size() != 10)
        return false;
    for (int i = 0; i < 10; ++i) {
        const bool ok = (i == 2 || i == 5) ? isSeparator(text[i]) : isDigit(text[i]);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

DayReading readDay(const QString &text)
{
    using Fault = DayReading::Fault;
    if (!hasDayShape(text))
        return {{}, Fault::Form};
    const QDate day(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
    if (!day.isValid())
        return {{}, Fault::Nonexistent};
    // As the date fields have always checked them: no year before 1900.
    if (day.year() < 1900)
        return {{}, Fault::Form};
    return {day, Fault::None};
}

QDate checkedDay(const QString &text, QStringView fieldName)
{
    const DayReading reading = readDay(text);
    switch (reading.fault) {
    case DayReading::Fault::None: return reading.day;
    case DayReading::Fault::Nonexistent:
        throw core::OperatorError(u"Il campo «%1» contiene «%2», una data inesistente. Correggere la data e premere Invio nel campo.",
                                  {fieldName, text});
    case DayReading::Fault::Form: break;
    }
    throw core::OperatorError(u"Il campo «%1» non contiene una data valida nella forma GG/MM/AAAA: «%2». "
                              u"Correggere la data e premere Invio nel campo.",
                              {fieldName, text});
}

QDate storedDay(const QString &text)
{
    const QStringView digits = QStringView(text).left(8);
    if (digits.size() != 8 || !std::all_of(digits.begin(), digits.end(), isDigit))
        return {};
    return QDate(digits.left(4).toInt(), digits.mid(4, 2).toInt(), digits.mid(6, 2).toInt());
}

std::pair<QDate, QDate> checkedRange(const QString &dallaData, const QString &allaData)
{
    const QDate first = checkedDay(dallaData, kDallaData);
    const QDate last = checkedDay(allaData, kAllaData);
    if (last < first)
        throw core::OperatorError(u"Il campo «%1» (%2) è precedente al campo «%3» (%4): il file non conterrebbe nessun giorno. "
                                  u"Correggere la data e premere Invio nel campo.",
                                  {kAllaData, allaData, kDallaData, dallaData});
    return {first, last};
}

QString dayKey(QDate day) { return day.toString(u"yyyyMMdd"); }
QString dashedDay(QDate day) { return day.toString(u"yyyy-MM-dd"); }
QString dayText(QDate day) { return day.toString(u"dd/MM/yyyy"); }

} // namespace movement
