#pragma once

#include "movementerror.h"

#include <QString>

#include <stdexcept>

namespace app {

// A settings or state file that cannot be read or written, or a browser command that cannot
// be started, with a plain Italian message that names the file or the command.
class SettingsError : public std::runtime_error
{
public:
    explicit SettingsError(const QString &message)
        : std::runtime_error(movement::readableMessage(message).toStdString()), m_message(QString::fromUtf8(what())) {}
    // The message `pattern` gives with the values, as hoteldb::operatorMessage puts them in.
    SettingsError(QStringView pattern, std::initializer_list<QStringView> values)
        : SettingsError(hoteldb::operatorMessage(pattern, values)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace app
