#include "headerpage.h"

#include "bytes.h"
#include "jetformat.h"
#include "rc4.h"

#include <cstring>

namespace jetwriter {

namespace {

constexpr quint16 kGeneralSortOrder = 0x0409;
constexpr quint16 kWindows1252 = 1252;

} // namespace

void writeHeaderPage(char *page, const FormatTraits &traits, double creationDate)
{
    put32(page, 0x100);
    std::memcpy(page + 4, "Standard Jet DB", 16);
    page[0x14] = traits.jet4() ? 1 : 0;

    // The scrambled part, as Access writes it in a new database. The key at 0x3E stays 0:
    // any other value would make readers decrypt every page.
    page[0x19] = 1;
    page[0x1C] = 1;
    page[0x1D] = 1;
    for (quint32 i = 0; i < 4; ++i)
        put32(page + 0x20 + 4 * i, i + 2);
    put16(page + 0x3C, kWindows1252);
    if (traits.jet4()) {
        // An empty password is stored as its mask, the whole days of the creation date.
        const auto mask = quint32(qint32(creationDate));
        for (int i = 0; i < 40; i += 4)
            put32(page + 0x42 + i, mask);
        put16(page + 0x6E, kGeneralSortOrder);
        putDouble(page + 0x72, creationDate);
    } else {
        page[0x38] = 1;
        put16(page + 0x3A, kGeneralSortOrder);
    }
    hoteldb::jet::rc4(hoteldb::jet::kHeaderKey, page + hoteldb::jet::kScrambledHeaderOffset, traits.scrambledHeader);

    if (traits.jet4()) {
        put32(page + 0x98, 0x654);
        std::memcpy(page + 0x9C, "4.0", 4);
    }
}

} // namespace jetwriter
