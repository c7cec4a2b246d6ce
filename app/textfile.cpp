#include "textfile.h"

#include "movementerror.h"
#include "outputfile.h"
#include "settingserror.h"
#include "textfilelines.h"
#include "windows1252.h"

#include <QDir>

namespace app {

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
        const std::optional<QByteArray> encoded = hoteldb::toWindows1252(line);
        if (!encoded || line.contains(u'\r') || line.contains(u'\n'))
            throw SettingsError(u"Il valore «%1» contiene caratteri che non si possono scrivere nel file «%2».",
                                {line, name});
        bytes += *encoded + "\r\n";
    }
    movement::saveAtomically(path, [&](QIODevice &out) {
        if (out.write(bytes) != bytes.size())
            throw SettingsError(u"Scrittura non riuscita nel file «%1».", {name});
    });
}

} // namespace app
