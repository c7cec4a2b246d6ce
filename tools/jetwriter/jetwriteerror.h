#pragma once

#include <QString>

#include <stdexcept>

namespace jetwriter {

// A description or a value the writer cannot store; the message names the table, row
// and column (or the file) at fault.
class JetWriteError : public std::runtime_error
{
public:
    explicit JetWriteError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace jetwriter
