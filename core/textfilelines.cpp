#include "textfilelines.h"

#include "operatorerror.h"
#include "savefile.h"
#include "textlines.h"
#include "windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace core {

QStringList textFileLines(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    const auto tooLarge = [&name] {
        return OperatorError(u"Il file «%1» è troppo grande per un file di impostazioni (più di %2 KB): "
                             u"il programma non lo legge.",
                             {name, QString::number(kMaxTextFileSize / 1024)});
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        throw OperatorError(u"«%1» non è un file di testo ma una cartella, una pipe o un dispositivo: "
                            u"il programma non lo legge.",
                            {name});
    }
    if (info.size() > kMaxTextFileSize)
        throw tooLarge();
    // The system's reason is English: the operator is told what to look at instead.
    const auto unreadable = [&name] {
        return OperatorError(u"Impossibile leggere il file «%1»: controllare che il programma abbia il permesso di "
                             u"leggerlo e che non sia aperto in modo esclusivo da un altro programma.",
                             {name});
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadable();
    // Never more than the limit, whatever the file has grown to since it was looked at.
    const QByteArray bytes = file.read(kMaxTextFileSize + 1);
    if (bytes.size() > kMaxTextFileSize)
        throw tooLarge();
    if (file.error() != QFileDevice::NoError)
        throw unreadable();
    return textLines(bytes);
}

void writeTextLines(const QString &path, const QStringList &lines)
{
    const QString name = QDir::toNativeSeparators(path);
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = toWindows1252(line);
        if (!encoded || line.contains(u'\r') || line.contains(u'\n'))
            throw OperatorError(u"Il valore «%1» contiene caratteri che non si possono scrivere nel file «%2».",
                                {line, name});
        bytes += *encoded + "\r\n";
    }
    saveAtomically(path, [&](QIODevice &out) {
        if (out.write(bytes) != bytes.size())
            throw OperatorError(u"Scrittura non riuscita nel file «%1».", {name});
    });
}

} // namespace core
