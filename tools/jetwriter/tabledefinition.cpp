#include "tabledefinition.h"

#include "bytes.h"
#include "textcodec.h"

#include <cstring>

namespace jetwriter {

namespace {

constexpr quint32 kTableMagic = 1625; // Access writes it in every Jet 4 definition and column
constexpr quint16 kGeneralSortOrder = 0x0409;
constexpr quint16 kWindows1252 = 1252;
constexpr quint8 kUserTable = 0x4E;
constexpr quint8 kSystemTable = 0x53;
constexpr quint8 kFixedColumn = 0x01;
constexpr quint8 kNullableColumn = 0x02;
constexpr quint8 kCompressedUnicode = 0x01;
constexpr int kHeaderSize = 8; // page type, version, free space (or "VC"), next page

int storedLength(const StoredColumn &column, const FormatTraits &traits)
{
    switch (column.type) {
    case StoredType::Boolean: return 1;
    case StoredType::Text:
    case StoredType::Binary: return column.maxChars * traits.textCharSize;
    case StoredType::Memo:
    case StoredType::Ole: return 0;
    default: return column.fixedSize;
    }
}

} // namespace

TableDefinition::TableDefinition(const FormatTraits &traits, const TableLayout &layout)
    : m_traits(traits), m_layout(layout)
{
}

int TableDefinition::pageCount() const
{
    TableMaps maps;
    maps.longValues.resize(m_layout.longValueCount());
    const qsizetype length = stream(0, maps).size();
    const qsizetype perPage = m_traits.pageSize - kHeaderSize;
    return 1 + int((qMax<qsizetype>(0, length - m_traits.pageSize) + perPage - 1) / perPage);
}

void TableDefinition::write(PageFile &file, const QList<quint32> &pages, quint32 rowCount, const TableMaps &maps) const
{
    Q_ASSERT(pages.size() == pageCount());
    const QByteArray bytes = stream(rowCount, maps);
    qsizetype done = 0;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        char *page = file.page(pages[i]);
        const qsizetype start = i == 0 ? 0 : kHeaderSize;
        const qsizetype length = qMin(m_traits.pageSize - start, bytes.size() - done);
        std::memcpy(page + start, bytes.constData() + done, length);
        done += length;
        page[0] = 0x02;
        page[1] = 0x01;
        if (m_traits.jet4())
            put16(page + 2, quint16(qMax<qsizetype>(0, m_traits.pageSize - (start + length) - kHeaderSize)));
        else
            std::memcpy(page + 2, "VC", 2);
        put32(page + 4, i + 1 < pages.size() ? pages[i + 1] : 0);
    }
}

QByteArray TableDefinition::stream(quint32 rowCount, const TableMaps &maps) const
{
    const auto columnCount = quint16(m_layout.columns().size());
    QByteArray bytes(kHeaderSize + 4, '\0'); // the length goes after the header once known
    if (m_traits.jet4()) {
        append32(bytes, kTableMagic);
        append32(bytes, rowCount);
        append32(bytes, 0); // next autonumber
        append32(bytes, 1); // autonumber flag, as Access sets it
        bytes.append(12, '\0');
    } else {
        append32(bytes, rowCount);
        append32(bytes, 0);
    }
    append8(bytes, m_layout.isSystem() ? kSystemTable : kUserTable);
    append16(bytes, columnCount); // columns a row may have, deleted ones included
    append16(bytes, quint16(m_layout.variableCount()));
    append16(bytes, columnCount);
    append32(bytes, 0); // indexes
    append32(bytes, 0); // index entries
    append32(bytes, maps.data.used.encoded());
    append32(bytes, maps.data.free.encoded());

    for (const StoredColumn &column : m_layout.columns())
        bytes.append(columnEntry(column));
    for (const StoredColumn &column : m_layout.columns())
        bytes.append(columnName(column));
    for (const StoredColumn &column : m_layout.columns()) {
        if (!column.isLongValue())
            continue;
        append16(bytes, quint16(column.number));
        append32(bytes, maps.longValues[column.longValueSlot].used.encoded());
        append32(bytes, maps.longValues[column.longValueSlot].free.encoded());
    }
    append16(bytes, 0xFFFF);

    put32(bytes.data() + kHeaderSize, quint32(bytes.size()));
    return bytes;
}

QByteArray TableDefinition::columnEntry(const StoredColumn &column) const
{
    const quint8 flags = kNullableColumn | (column.fixed ? kFixedColumn : 0);
    QByteArray entry;
    append8(entry, quint8(column.type));
    if (m_traits.jet4())
        append32(entry, kTableMagic);
    append16(entry, quint16(column.number));
    append16(entry, quint16(column.variableIndex));
    append16(entry, quint16(column.number));
    if (m_traits.jet4()) {
        append16(entry, kGeneralSortOrder);
        append16(entry, 0);
        append8(entry, flags);
        append8(entry, column.isText() ? kCompressedUnicode : 0);
        append32(entry, 0);
    } else {
        append16(entry, 1);
        append16(entry, kGeneralSortOrder);
        append16(entry, kWindows1252);
        append8(entry, flags);
    }
    append16(entry, quint16(column.fixed ? column.fixedOffset : 0));
    append16(entry, quint16(storedLength(column, m_traits)));
    return entry;
}

QByteArray TableDefinition::columnName(const StoredColumn &column) const
{
    QByteArray bytes;
    if (m_traits.jet4()) {
        const QByteArray name = encodeUnicodeText(column.name, false);
        append16(bytes, quint16(name.size()));
        bytes.append(name);
    } else {
        const QByteArray name = encodeWindows1252(column.name).value(); // checked by the layout
        append8(bytes, quint8(name.size()));
        bytes.append(name);
    }
    return bytes;
}

} // namespace jetwriter
