#pragma once

#include "formattraits.h"
#include "pagefile.h"
#include "tablelayout.h"

#include <QByteArray>
#include <QList>

namespace jetwriter {

// Where a table's usage maps are: its data pages, and the pages of each long value column.
struct TableMaps
{
    struct Pair
    {
        RowPointer used;
        RowPointer free;
    };
    Pair data;
    QList<Pair> longValues; // one a long value column, in column order
};

// A table's definition page, or chain of pages: counts, map references, columns and
// their names, then the map references of the long value columns. No indexes.
class TableDefinition
{
public:
    TableDefinition(const FormatTraits &traits, const TableLayout &layout);

    int pageCount() const;
    void write(PageFile &file, const QList<quint32> &pages, quint32 rowCount, const TableMaps &maps) const;

private:
    QByteArray stream(quint32 rowCount, const TableMaps &maps) const;
    QByteArray columnEntry(const StoredColumn &column) const;
    QByteArray columnName(const StoredColumn &column) const;

    const FormatTraits &m_traits;
    const TableLayout &m_layout;
};

} // namespace jetwriter
