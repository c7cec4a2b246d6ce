#pragma once

#include <QString>

#include <stdexcept>

namespace movement {

// A failure while preparing or writing a movement file, carrying a plain Italian message for
// the operator that names the file, field or value at fault.
class MovementError : public std::runtime_error
{
public:
    explicit MovementError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace movement
