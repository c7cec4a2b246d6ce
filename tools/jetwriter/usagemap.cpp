#include "usagemap.h"

#include "bytes.h"

#include <QMap>

#include <algorithm>

namespace jetwriter {

namespace {

constexpr quint8 kInlineMap = 0;
constexpr quint8 kReferenceMap = 1;
constexpr int kInlineHeader = 5; // type, start page

void setBit(char *bitmap, quint32 index)
{
    bitmap[index / 8] = char(bitmap[index / 8] | (1 << (index % 8)));
}

QByteArray inlineMap(const FormatTraits &traits, quint32 start)
{
    QByteArray row(traits.mapRowSize, '\0');
    row[0] = char(kInlineMap);
    put32(row.data() + 1, start);
    return row;
}

quint32 inlineWindow(const FormatTraits &traits) { return quint32(traits.mapRowSize - kInlineHeader) * 8; }

} // namespace

QByteArray usageMapRow(PageFile &file, const FormatTraits &traits, QList<quint32> pages)
{
    std::sort(pages.begin(), pages.end());
    if (pages.isEmpty() || pages.last() - pages.first() < inlineWindow(traits)) {
        QByteArray row = inlineMap(traits, pages.isEmpty() ? 0 : pages.first());
        for (quint32 page : pages)
            setBit(row.data() + kInlineHeader, page - pages.first());
        return row;
    }

    const auto perMapPage = quint32(traits.pageSize - 4) * 8;
    QByteArray row(traits.mapRowSize, '\0');
    row[0] = char(kReferenceMap);
    QMap<quint32, quint32> mapPages; // range index -> bitmap page
    for (quint32 page : pages) {
        const quint32 range = page / perMapPage;
        Q_ASSERT(1 + 4 * (range + 1) <= quint32(traits.mapRowSize)); // PageFile::maxPages keeps files in reach
        if (!mapPages.contains(range)) {
            const quint32 mapPage = file.allocate();
            file.page(mapPage)[0] = 0x05;
            file.page(mapPage)[1] = 0x01;
            put32(row.data() + 1 + 4 * range, mapPage);
            mapPages.insert(range, mapPage);
        }
        setBit(file.page(mapPages.value(range)) + 4, page % perMapPage);
    }
    return row;
}

QByteArray freePagesMapRow(const FormatTraits &traits, quint32 pageCount)
{
    QByteArray row = inlineMap(traits, 0);
    for (quint32 page = pageCount; page < inlineWindow(traits); ++page)
        setBit(row.data() + kInlineHeader, page);
    return row;
}

} // namespace jetwriter
