#include "datapagewriter.h"

#include "bytes.h"

#include <cstring>

namespace jetwriter {

namespace {

constexpr int kMaxRowsPerPage = 255;

} // namespace

DataPageWriter::DataPageWriter(PageFile &file, const FormatTraits &traits, quint32 owner)
    : m_file(file), m_traits(traits), m_owner(owner)
{
}

RowPointer DataPageWriter::add(QByteArrayView row)
{
    Q_ASSERT(row.size() <= m_traits.maxRowSize());
    if (m_pages.isEmpty() || m_rows == kMaxRowsPerPage || row.size() + 2 > m_freeSpace.last())
        openPage();

    char *page = m_file.page(m_pages.last());
    m_top -= int(row.size());
    std::memcpy(page + m_top, row.data(), row.size());
    put16(page + m_traits.rowCountOffset + 2 + 2 * m_rows, quint16(m_top));
    const RowPointer pointer{m_pages.last(), m_rows};
    ++m_rows;
    put16(page + m_traits.rowCountOffset, quint16(m_rows));
    m_freeSpace.last() = m_top - (m_traits.rowCountOffset + 2 + 2 * m_rows);
    put16(page + 2, quint16(m_freeSpace.last()));
    return pointer;
}

QList<quint32> DataPageWriter::pagesWithFreeSpace() const
{
    QList<quint32> pages;
    for (qsizetype i = 0; i < m_pages.size(); ++i) {
        if (m_freeSpace[i] > 0)
            pages.append(m_pages[i]);
    }
    return pages;
}

void DataPageWriter::openPage()
{
    const quint32 number = m_file.allocate();
    char *page = m_file.page(number);
    page[0] = 0x01;
    page[1] = 0x01;
    put32(page + 4, m_owner);
    m_pages.append(number);
    m_rows = 0;
    m_top = m_traits.pageSize;
    m_freeSpace.append(m_top - (m_traits.rowCountOffset + 2));
    put16(page + 2, quint16(m_freeSpace.last()));
}

} // namespace jetwriter
