#include "textcodec.h"

#include "bytes.h"
#include "windows1252.h"

#include <algorithm>

namespace jetwriter {

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
    // C1 controls are no text, even where the code page leaves their byte free.
    const auto control =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x80 && c.unicode() < 0xa0; });
    if (control != text.end()) {
        if (unencodable)
            *unencodable = *control;
        return std::nullopt;
    }
    return core::toWindows1252(text, unencodable);
}

QString codePointLabel(QChar c)
{
    return QStringLiteral("U+%1").arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace jetwriter
