#pragma once

#include "jetformat.h"
#include "value.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace hoteldb::jet {

// Where a memo or OLE field keeps its data: in the row itself, in one row of a long-value
// page, or in a chain of such rows.
struct LongValueRef
{
    enum class Kind { Inline, SingleRow, Chain };
    Kind kind = Kind::Inline;
    qsizetype length = 0;
    QByteArrayView inlineData; // Inline only
    quint32 page = 0;          // SingleRow and Chain: the first row holding the data
    int row = 0;
};

// Turns the bytes of one field into its value. Nothing here reads past the bytes given.
class JetField
{
public:
    // The value type a column of that stored type is read as.
    static Value::Type valueType(quint8 columnType);

    // Jet 3 text is Windows-1252; Jet 4 text is UCS-2, compressed to one byte a character
    // (with a zero byte switching mode) when it starts with FF FE.
    static QString text(Version version, QByteArrayView bytes);

    // A fixed-size number, date or replication id; Null when the bytes are too few.
    static Value fixed(quint8 columnType, QByteArrayView bytes, int scale);

    // A decimal field (sign byte, then a 128-bit magnitude as four little-endian words,
    // most significant first) as plain decimal text, "-12.50" for instance.
    static QString decimalText(QByteArrayView bytes, int scale);

    // The 12-byte header of a memo or OLE field; nullopt when it is cut short.
    static std::optional<LongValueRef> longValue(QByteArrayView field);
};

} // namespace hoteldb::jet
