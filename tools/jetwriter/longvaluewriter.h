#pragma once

#include "datapagewriter.h"

#include <QByteArray>

#include <vector>

namespace jetwriter {

// The long values (memos) of one table, each long value column on its own pages so that
// each has its own usage map.
class LongValueWriter
{
public:
    LongValueWriter(PageFile &file, const FormatTraits &traits, int columns);

    // The 12-byte field a row stores for the value: the value follows inline when short,
    // otherwise it goes to a long value page, or to a chain of them when one is too small.
    QByteArray field(int slot, const QByteArray &data);

    const DataPageWriter &pages(int slot) const { return m_writers[slot]; }

    static constexpr int maxInline = 64;

private:
    const FormatTraits &m_traits;
    std::vector<DataPageWriter> m_writers;
};

} // namespace jetwriter
