#include "longvaluewriter.h"

#include "bytes.h"

namespace jetwriter {

namespace {

constexpr quint32 kInline = 0x80000000;
constexpr quint32 kSinglePage = 0x40000000;

QByteArray header(quint32 lengthAndFlags, quint32 pointer)
{
    QByteArray field;
    field.reserve(12);
    append32(field, lengthAndFlags);
    append32(field, pointer);
    append32(field, 0);
    return field;
}

} // namespace

LongValueWriter::LongValueWriter(PageFile &file, const FormatTraits &traits, int columns) : m_traits(traits)
{
    m_writers.reserve(columns);
    for (int i = 0; i < columns; ++i)
        m_writers.emplace_back(file, traits, DataPageWriter::longValueOwner);
}

QByteArray LongValueWriter::field(int slot, const QByteArray &data)
{
    const auto length = quint32(data.size());
    if (data.size() <= maxInline)
        return header(length | kInline, 0) + data;

    DataPageWriter &pages = m_writers[slot];
    if (data.size() <= m_traits.maxRowSize())
        return header(length | kSinglePage, pages.add(data).encoded());

    // A chain of rows, each starting with the pointer to the next; written from the last
    // piece back so that every pointer is known when its row is stored.
    const qsizetype piece = m_traits.maxRowSize() - 4;
    quint32 next = 0;
    for (qsizetype start = (data.size() - 1) / piece * piece; start >= 0; start -= piece) {
        QByteArray row;
        append32(row, next);
        row.append(data.mid(start, piece));
        next = pages.add(row).encoded();
    }
    return header(length, next);
}

} // namespace jetwriter
