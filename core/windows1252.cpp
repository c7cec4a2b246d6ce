#include "windows1252.h"

#include <algorithm>
#include <array>

namespace core {

namespace {

// The characters of the bytes 0x80 to 0x9f; every other byte is its own Latin-1 character.
constexpr std::array<char16_t, 32> kHigh = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021,
    0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008d, 0x017d, 0x008f,
    0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178,
};

std::optional<char> byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xa0 && c <= 0xff))
        return char(c);
    const auto found = std::find(kHigh.begin(), kHigh.end(), c);
    if (found == kHigh.end())
        return std::nullopt;
    return char(0x80 + (found - kHigh.begin()));
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *to = out.data();
    for (const char byte : bytes) {
        const uchar b = uchar(byte);
        *to++ = (b >= 0x80 && b < 0xa0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return out;
}

std::optional<QByteArray> toWindows1252(QStringView text, QChar *unencodable)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<char> byte = byteOf(c.unicode());
        if (!byte) {
            if (unencodable)
                *unencodable = c;
            return std::nullopt;
        }
        bytes.append(*byte);
    }
    return bytes;
}

} // namespace core
