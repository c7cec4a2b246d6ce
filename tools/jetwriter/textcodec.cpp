#include "textcodec.h"

#include "bytes.h"

#include <algorithm>

namespace jetwriter {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page leaves the byte undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

std::optional<char> windows1252Byte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    const auto *found = std::find(std::begin(kHighControls), std::end(kHighControls), u);
    if (u != 0 && found != std::end(kHighControls))
        return char(0x80 + (found - std::begin(kHighControls)));
    return std::nullopt;
}

} // namespace

QByteArray encodeUnicodeText(QStringView text, bool compress)
{
    QByteArray bytes;
    const bool compressible = compress && !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x01 && c.unicode() <= 0xFF; });
    if (compressible) {
        bytes.reserve(2 + text.size());
        bytes.append("\xFF\xFE", 2);
        for (QChar c : text)
            bytes.append(char(c.unicode()));
        return bytes;
    }
    bytes.reserve(2 * text.size());
    for (QChar c : text)
        append16(bytes, c.unicode());
    return bytes;
}

std::optional<QByteArray> encodeWindows1252(QStringView text, QChar *unencodable)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto byte = windows1252Byte(c);
        if (!byte) {
            if (unencodable)
                *unencodable = c;
            return std::nullopt;
        }
        bytes.append(*byte);
    }
    return bytes;
}

QString codePointLabel(QChar c)
{
    return QStringLiteral("U+%1").arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace jetwriter
