#include "pagefile.h"

#include "bytes.h"
#include "jetwriteerror.h"

namespace jetwriter {

PageFile::PageFile(const FormatTraits &traits) : m_traits(traits) {}

quint32 PageFile::allocate()
{
    const quint32 number = pageCount();
    if (number >= maxPages)
        throw JetWriteError(QStringLiteral("Il database supererebbe le %1 pagine ammesse dal formato: "
                                           "troppi dati per un solo file.")
                                .arg(maxPages));
    const qsizetype size = m_bytes.size() + m_traits.pageSize;
    if (size > m_bytes.capacity())
        m_bytes.reserve(qMax(size, 2 * m_bytes.capacity()));
    m_bytes.resize(size, '\0');
    return number;
}

char *PageFile::row(RowPointer pointer)
{
    char *data = page(pointer.page);
    return data + get16(data + m_traits.rowCountOffset + 2 + 2 * pointer.row);
}

} // namespace jetwriter
