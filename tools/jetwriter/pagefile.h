#pragma once

#include "formattraits.h"

#include <QByteArray>

namespace jetwriter {

// A page's row: the page number and the row's index in the page's offset table, stored
// in the file as one 32-bit value.
struct RowPointer
{
    quint32 page = 0;
    int row = 0;
    quint32 encoded() const { return page << 8 | quint32(row); }
};

// The file being built, a growing run of zeroed pages.
class PageFile
{
public:
    explicit PageFile(const FormatTraits &traits);

    // Appends a zeroed page; refuses to grow past the size the format allows.
    quint32 allocate();
    char *page(quint32 number) { return m_bytes.data() + qsizetype(number) * m_traits.pageSize; }
    quint32 pageCount() const { return quint32(m_bytes.size() / m_traits.pageSize); }
    // The first byte of a row placed by a DataPageWriter.
    char *row(RowPointer pointer);
    QByteArray take() { return std::move(m_bytes); }

    static constexpr quint32 maxPages = 524288; // 2 GB of Jet 4 pages, 1 GB of Jet 3 pages

private:
    const FormatTraits &m_traits;
    QByteArray m_bytes;
};

} // namespace jetwriter
