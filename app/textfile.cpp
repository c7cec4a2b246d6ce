#include "textfile.h"

#include "outputfile.h"
#include "settingserror.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace app {

namespace {
const char *const kCodePage = "windows-1252";
} // namespace

QStringList readTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SettingsError(QStringLiteral("Impossibile leggere il file «%1»: %2")
                                .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray bytes = file.readAll();

    // A byte-order mark names the encoding (Notepad saves "Unicode" files as UTF-16 with one).
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    QString text = decoder(bytes);
    if (decoder.hasError() && !marked)
        text = QStringDecoder(kCodePage)(bytes);

    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void writeTextLines(const QString &path, const QStringList &lines)
{
    const QString name = QDir::toNativeSeparators(path);
    QByteArray bytes;
    for (const QString &line : lines) {
        QStringEncoder encoder(kCodePage);
        const QByteArray encoded = encoder(line);
        if (encoder.hasError() || line.contains(u'\r') || line.contains(u'\n'))
            throw SettingsError(QStringLiteral(
                "Il valore «%1» contiene caratteri che non si possono scrivere nel file «%2».")
                                    .arg(line, name));
        bytes += encoded + "\r\n";
    }
    movement::saveAtomically(path, [&](QIODevice &out) {
        if (out.write(bytes) != bytes.size())
            throw SettingsError(QStringLiteral("Scrittura non riuscita nel file «%1».").arg(name));
    });
}

} // namespace app
