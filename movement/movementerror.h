#pragma once

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

// A failure while preparing or writing a movement file, carrying a plain Italian message for
// the operator that names the file, field or value at fault.
class MovementError : public std::runtime_error
{
public:
    explicit MovementError(const QString &message)
        : std::runtime_error(readableMessage(message).toStdString()), m_message(QString::fromUtf8(what())) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace movement
