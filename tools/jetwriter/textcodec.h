#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace jetwriter {

// Jet 4 text: UCS-2, or, when compression is allowed and every character lies in
// U+0001 to U+00FF, the compressed form FF FE followed by one byte a character.
// An empty text is never compressed.
QByteArray encodeUnicodeText(QStringView text, bool compress);

// Jet 3 text in Windows-1252, the code page of Italian data; nothing when a character
// has no place in it, that character then stored in *unencodable when given.
std::optional<QByteArray> encodeWindows1252(QStringView text, QChar *unencodable = nullptr);

// "U+00E0": a character named in messages.
QString codePointLabel(QChar c);

} // namespace jetwriter
