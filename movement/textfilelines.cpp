#include "textfilelines.h"

#include "movementerror.h"
#include "textlines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace movement {

QStringList textFileLines(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    const auto tooLarge = [&name] {
        return MovementError(QStringLiteral("Il file «%1» è troppo grande per un file di impostazioni (più di %2 KB): "
                                            "il programma non lo legge.")
                                 .arg(name, QString::number(kMaxTextFileSize / 1024)));
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        throw MovementError(QStringLiteral("«%1» non è un file di testo ma una cartella, una pipe o un dispositivo: "
                                           "il programma non lo legge.")
                                .arg(name));
    }
    if (info.size() > kMaxTextFileSize)
        throw tooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw MovementError(QStringLiteral("Impossibile leggere il file «%1»: %2").arg(name, file.errorString()));
    // Never more than the limit, whatever the file has grown to since it was looked at.
    const QByteArray bytes = file.read(kMaxTextFileSize + 1);
    if (bytes.size() > kMaxTextFileSize)
        throw tooLarge();
    if (file.error() != QFileDevice::NoError)
        throw MovementError(QStringLiteral("Impossibile leggere il file «%1»: %2").arg(name, file.errorString()));
    return textLines(bytes);
}

} // namespace movement
