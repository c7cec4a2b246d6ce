#pragma once

#include "formattraits.h"
#include "pagefile.h"

#include <QByteArrayView>
#include <QList>

namespace jetwriter {

// Fills data pages of one owner with rows, in order: each row goes on the current page
// when it fits (at most 255 rows a page), otherwise on a new page taken from the file.
// Rows are stored from the end of the page downwards.
class DataPageWriter
{
public:
    // owner: the table definition page, or "LVAL" for long values, stored at offset 4.
    DataPageWriter(PageFile &file, const FormatTraits &traits, quint32 owner);

    // The row must be at most traits.maxRowSize() bytes.
    RowPointer add(QByteArrayView row);

    const QList<quint32> &pages() const { return m_pages; }
    QList<quint32> pagesWithFreeSpace() const;

    static constexpr quint32 longValueOwner = 0x4C41564C; // "LVAL"

private:
    void openPage();

    PageFile &m_file;
    const FormatTraits &m_traits;
    quint32 m_owner;
    QList<quint32> m_pages;
    QList<int> m_freeSpace; // of each page
    int m_rows = 0;         // on the current page
    int m_top = 0;          // start of the lowest row on the current page
};

} // namespace jetwriter
