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

// The day of a text of the day's shape; invalid when there is no such day.
QDate shapedDay(const QString &text)
{
    return QDate(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
}

} // namespace

bool isNonexistentDay(const QString &text)
{
    return hasDayShape(text) && !shapedDay(text).isValid();
}

QDate checkedDay(const QString &text, QStringView fieldName)
{
    if (isNonexistentDay(text))
        throw core::OperatorError(u"Il campo «%1» contiene «%2», una data inesistente. Correggere la data e premere Invio nel campo.",
                                  {fieldName, text});
    if (hasDayShape(text))
        return shapedDay(text);
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
