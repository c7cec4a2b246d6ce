#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace jetwriter {

enum class Format { Jet3, Jet4 };

enum class ColumnType { Text, Memo, Long, Integer, Byte, Double, Boolean, DateTime };

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0; // characters of a text column, 1 to 255; unused by the other types
};

// Row values: QString for text and memo, an integral value for long, integer and byte,
// a double (or an integral value) for double, bool, QDateTime or ISO 8601 text for
// datetime; QVariant() is a database Null.
struct Table
{
    QString name;
    QList<Column> columns;
    QList<QVariantList> rows;
    // The last rows added after the definition's row count was written, as a crash of the
    // writing program leaves them: the count in the definition leaves them out.
    int uncountedRows = 0;
};

struct Description
{
    Format format = Format::Jet4;
    QList<Table> tables;
};

} // namespace jetwriter
