#pragma once

#include "operatormessage.h"

#include <QString>

#include <stdexcept>

namespace hoteldb {

// A failure of the database layer, carrying a plain Italian message for the operator
// that names the file, the table, the field or the query text at fault.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    // The message `pattern` gives with the values, as operatorMessage puts them in.
    DbError(QStringView pattern, std::initializer_list<QStringView> values)
        : DbError(operatorMessage(pattern, values)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace hoteldb
