#pragma once

#include <QByteArrayView>
#include <QString>

namespace hoteldb::jet {

// The header page: from this offset on, a stretch of it is scrambled with RC4 under a fixed
// key, 126 bytes long in Jet 3 and 128 in Jet 4; the database key and the password lie there.
constexpr qsizetype kScrambledHeaderOffset = 0x18;
inline constexpr QByteArrayView kHeaderKey("\xC7\xDA\x39\x6B", 4);

// Jet 3 files come from Access 97, Jet 4 files from Access 2000 to 2003: rows, texts and
// page sizes differ between the two.
enum class Version { Jet3, Jet4 };

// Where things lie in pages and table definitions: the two versions differ only in these
// offsets and sizes, all in bytes.
struct Format
{
    int pageSize;
    int rowCountOffset;      // data pages: the row count, then one offset for each row
    // Table definitions, counted from the start of their first page.
    int rowCount;            // 32 bits: the table's rows, deleted ones left out
    int maxColumnCount;      // 16 bits: the columns a row may have, deleted ones counted
    int variableColumnCount; // 16 bits: the same for variable-length columns
    int columnCount;         // 16 bits
    int realIndexCount;      // 32 bits
    int usageMap;            // 32 bits: row pointer to the map of the table's data pages
    int firstIndexEntry;     // the real index entries, then the column entries, then the names
    int realIndexEntrySize;
    // Column entries, counted from the start of the entry.
    int columnEntrySize;
    int columnNumber;        // 8 bits: the column's bit in a row's null mask
    int variableIndex;       // 16 bits
    int columnFlags;         // 8 bits
    int fixedOffset;         // 16 bits
    int columnSize;          // 16 bits
    int decimalScale;        // 8 bits
    int nameLengthSize;      // the length before each column name: 1 or 2 bytes
};

inline const Format &formatOf(Version version)
{
    static constexpr Format jet3{2048, 8, 12, 21, 23, 25, 31, 35, 43, 8, 18, 1, 3, 13, 14, 16, 10, 1};
    static constexpr Format jet4{4096, 12, 16, 41, 43, 45, 51, 55, 63, 12, 25, 5, 7, 15, 21, 23, 12, 2};
    return version == Version::Jet3 ? jet3 : jet4;
}

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
