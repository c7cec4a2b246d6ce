#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <utility>

namespace movement {

// Captions of the two date fields, used to name the field at fault.
inline constexpr QStringView kDallaData = u"Dalla data";
inline constexpr QStringView kAllaData = u"Alla data";

// A typed day, as the date fields and the command line's options hold it, read by the tool's one
// rule: exactly ten characters, digits in positions 1-2, 4-5 and 7-10, "/", "-" or "." in
// positions 3 and 6, naming a calendar day from 1900 on. `day` is valid exactly when there is no
// fault; a text of that shape that names no calendar day (31/02/2026) is told apart, so that the
// operator reads that the day does not exist rather than that its form is wrong.
struct DayReading
{
    enum class Fault { None, Form, Nonexistent };

    QDate day;
    Fault fault = Fault::None;
};

DayReading readDay(const QString &text);

// The day a generator reads from a date field, by that rule. Anything else throws
// OperatorError naming the field.
QDate checkedDay(const QString &text, QStringView fieldName);

// The day of a date as the hotel program stores it: its first eight characters are the digits
// YYYYMMDD of a real calendar day. Anything else gives an invalid QDate.
QDate storedDay(const QString &text);

// The first and last day of a range from the two date fields, each checked as above. A last
// day before the first throws OperatorError naming "Alla data": such a file would hold no day.
std::pair<QDate, QDate> checkedRange(const QString &dallaData, const QString &allaData);

QString dayKey(QDate day);    // YYYYMMDD, the hotel program's stored form
QString dashedDay(QDate day); // YYYY-MM-DD, used in file names
QString dayText(QDate day);   // DD/MM/YYYY, the entry fields' form

} // namespace movement
