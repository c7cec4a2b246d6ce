#include "outputfile.h"

#include "daytext.h"
#include "movementerror.h"

#include <QFileInfo>
#include <QSaveFile>

namespace movement {

QString outputFilePath(const QDir &folder, const QString &percorsoFile, QDate day)
{
    if (percorsoFile.size() < 4)
        throw MovementError(QStringLiteral(
            "Il percorso del file da generare «%1» è troppo corto: deve terminare con "
            "un'estensione di quattro caratteri, per esempio «.xml». Correggerlo dal menu «Impostazioni».")
                                .arg(percorsoFile));
    const QString path = folder.absoluteFilePath(percorsoFile.chopped(4) + dashedDay(day) + QStringLiteral(".xml"));
    const QDir target = QFileInfo(path).absoluteDir();
    if (!target.exists())
        throw MovementError(QStringLiteral(
            "La cartella «%1» del file da generare non esiste: correggere il percorso «%2» dal menu «Impostazioni».")
                                .arg(QDir::toNativeSeparators(target.path()), percorsoFile));
    return path;
}

void saveAtomically(const QString &path, const std::function<void(QIODevice &)> &write)
{
    const QString name = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw MovementError(QStringLiteral("Impossibile creare il file «%1»: %2").arg(name, file.errorString()));
    // On an exception the QSaveFile is destroyed uncommitted, which removes the temporary file.
    write(file);
    if (!file.commit())
        throw MovementError(QStringLiteral("Impossibile salvare il file «%1»: %2").arg(name, file.errorString()));
}

} // namespace movement
