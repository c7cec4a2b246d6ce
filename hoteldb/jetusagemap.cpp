#include "jetusagemap.h"

#include "jetfile.h"
#include "jetformat.h"
#include "jetrow.h"

#include <QByteArrayView>
#include <QtEndian>

namespace hoteldb::jet {

namespace {
constexpr quint8 kInlineMap = 0;
constexpr quint8 kPagedMap = 1;
constexpr qsizetype kInlineHeader = 5; // the kind, then the first page's number
constexpr qsizetype kBitmapHeader = 4; // a bitmap page's type and its unused bytes

quint32 word32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}
} // namespace

void JetUsageMap::addBits(QByteArrayView bitmap, quint64 first, quint32 pageCount)
{
    for (qsizetype i = 0; i < bitmap.size(); ++i) {
        const uchar byte = uchar(bitmap[i]);
        for (int bit = 0; byte && bit < 8; ++bit) {
            if (!(byte & (1 << bit)))
                continue;
            const quint64 page = first + quint64(i) * 8 + bit;
            if (page < pageCount)
                pages.append(quint32(page));
            else if (!pastEnd)
                pastEnd = page;
        }
    }
}

std::optional<JetUsageMap> JetUsageMap::read(const JetFile &file, quint32 pointer)
{
    if (pointerPage(pointer) >= file.pageCount())
        return std::nullopt;
    const QByteArrayView mapPage = file.page(pointerPage(pointer), QString());
    const auto slot = JetRow::slot(mapPage, file.format().rowCountOffset, pointerRow(pointer));
    if (!slot || slot->end - slot->start < 1)
        return std::nullopt;
    const QByteArrayView map = mapPage.sliced(slot->start, slot->end - slot->start);

    JetUsageMap usage;
    const quint8 kind = quint8(map[0]);
    if (kind == kInlineMap) {
        if (map.size() < kInlineHeader)
            return std::nullopt;
        usage.addBits(map.sliced(kInlineHeader), word32(map, 1), file.pageCount());
    } else if (kind == kPagedMap) {
        // The numbers of the bitmap pages, the n-th covering the n-th run of pages.
        const quint64 pagesPerMap = quint64(file.pageSize() - kBitmapHeader) * 8;
        for (qsizetype at = 1; at + 4 <= map.size(); at += 4) {
            const quint32 bitmapPage = word32(map, at);
            if (bitmapPage == 0)
                continue;
            if (bitmapPage >= file.pageCount())
                return std::nullopt;
            usage.addBits(file.page(bitmapPage, QString()).sliced(kBitmapHeader), quint64(at - 1) / 4 * pagesPerMap,
                          file.pageCount());
        }
    } else {
        return std::nullopt;
    }
    return usage;
}

} // namespace hoteldb::jet
