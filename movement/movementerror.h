#pragma once

#include "operatormessage.h"

#include <QString>

#include <stdexcept>

namespace movement {

// A message as the operator can read it: the control characters a value may bring along
// (other than line breaks and tabs) become U+FFFD, so that a NUL cannot cut the message short.
inline QString readableMessage(QString message)
{
    for (QChar &c : message) {
        if (c < u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            c = QChar::ReplacementCharacter;
    }
    return message;
}

// A character as messages name it after "U+": its code in four hexadecimal digits.
inline QString codePoint(QChar c)
{
    return QString::number(c.unicode(), 16).rightJustified(4, u'0');
}

// A failure while preparing or writing a movement file, carrying a plain Italian message for
// the operator that names the file, field or value at fault.
class MovementError : public std::runtime_error
{
public:
    explicit MovementError(const QString &message)
        : std::runtime_error(readableMessage(message).toStdString()), m_message(QString::fromUtf8(what())) {}
    // The message `pattern` gives with the values, as hoteldb::operatorMessage puts them in.
    MovementError(QStringView pattern, std::initializer_list<QStringView> values)
        : MovementError(hoteldb::operatorMessage(pattern, values)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace movement
