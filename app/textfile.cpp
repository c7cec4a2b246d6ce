#include "textfile.h"

#include "movementerror.h"
#include "outputfile.h"
#include "settingserror.h"
#include "textfilelines.h"

#include <QDir>
#include <QStringEncoder>

namespace app {

namespace {
const char *const kCodePage = "windows-1252";
} // namespace

QStringList readTextLines(const QString &path)
{
    try {
        return movement::textFileLines(path);
    } catch (const movement::MovementError &e) {
        throw SettingsError(e.message());
    }
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
