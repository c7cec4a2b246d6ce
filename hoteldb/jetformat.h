#pragma once

#include <QString>

namespace hoteldb::jet {

// Jet 3 files come from Access 97, Jet 4 files from Access 2000 to 2003: rows, texts and
// page sizes differ between the two.
enum class Version { Jet3, Jet4 };

// Column types as a table definition stores them.
namespace ColumnType {
constexpr quint8 Boolean = 0x01;
constexpr quint8 Byte = 0x02;
constexpr quint8 Integer = 0x03;
constexpr quint8 LongInteger = 0x04;
constexpr quint8 Currency = 0x05;
constexpr quint8 Single = 0x06;
constexpr quint8 Double = 0x07;
constexpr quint8 DateTime = 0x08;
constexpr quint8 Binary = 0x09;
constexpr quint8 Text = 0x0a;
constexpr quint8 Ole = 0x0b;
constexpr quint8 Memo = 0x0c;
constexpr quint8 Guid = 0x0f;
constexpr quint8 Numeric = 0x10;
} // namespace ColumnType

// Row pointers pack a row number into the low byte and a page number above it.
inline quint32 pointerPage(quint32 pointer) { return pointer >> 8; }
inline int pointerRow(quint32 pointer) { return int(pointer & 0xff); }

// Where a column's value lies in a stored row, as the table definition says.
struct ColumnLayout
{
    QString name;
    quint8 type = 0;        // a ColumnType; an unknown code is read as binary
    int number = 0;         // bit in the row's null mask, deleted columns counted
    bool fixed = false;
    int fixedOffset = 0;    // fixed columns: from the start of the row's fixed data
    int variableIndex = 0;  // variable columns: entry in the row's offset table, deleted columns counted
    int size = 0;           // fixed columns: bytes
    int scale = 0;          // decimal columns: digits after the point
};

} // namespace hoteldb::jet
