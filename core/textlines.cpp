#include "textlines.h"

#include "windows1252.h"

#include <QStringDecoder>

namespace core {

QStringList textLines(const QByteArray &bytes)
{
    // A byte-order mark names the encoding (Notepad saves "Unicode" files as UTF-16 with one).
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    QString text = decoder(bytes);
    if (decoder.hasError() && !marked)
        text = fromWindows1252(bytes);

    // Only a file without a single character has no lines: a lone line end ends one empty line.
    if (text.isEmpty())
        return {};
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

} // namespace core
