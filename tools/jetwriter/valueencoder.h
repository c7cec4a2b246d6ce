#pragma once

#include "formattraits.h"
#include "tablelayout.h"

#include <QByteArray>
#include <QVariant>

// One value of a row in its stored form. Each function refuses (JetWriteError with the
// reason alone) a value of the wrong type or one the column cannot hold unchanged;
// the caller adds the table, row and column.
namespace jetwriter {

// Byte, integer, long, double and datetime values into the column's fixedSize bytes.
void encodeFixedValue(const StoredColumn &column, const QVariant &value, char *out);

// A boolean value, which lives in the row's null mask; a boolean cannot be Null.
bool booleanValue(const QVariant &value);

// The bytes of a text or memo value in the file's text encoding.
QByteArray encodeTextValue(const StoredColumn &column, const QVariant &value, const FormatTraits &traits);

} // namespace jetwriter
