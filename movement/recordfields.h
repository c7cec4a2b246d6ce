#pragma once

#include "recordset.h"

#include <QString>

namespace movement {

// The fields of a recordset's current record as the files use them: a Null text reads as an
// empty text and a Null number as 0. A value that does not convert throws OperatorError naming
// the database, the record (by its key field) and the field.
class RecordFields
{
public:
    RecordFields(const hoteldb::Recordset &records, QString databaseName, QString keyField)
        : m_records(records), m_databaseName(std::move(databaseName)), m_keyField(std::move(keyField)) {}

    bool isNull(const QString &field) const { return m_records.Fields(field).isNull(); }
    QString text(const QString &field) const;
    double number(const QString &field) const;

    // The current record as a message names it: "il record con NumeroProgressivo 15 del
    // database «Scheda_Cliente.mdb»".
    QString record() const;

    // Stops the command over a value of the field that the file cannot use.
    [[noreturn]] void refuse(const QString &field, const QString &value, const QString &expected) const;

private:
    const hoteldb::Recordset &m_records;
    QString m_databaseName;
    QString m_keyField;
};

} // namespace movement
