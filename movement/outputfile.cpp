#include "outputfile.h"

#include "daytext.h"
#include "movementerror.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace movement {

QString outputFilePath(const QDir &folder, const QString &percorsoFile, QDate day)
{
    if (percorsoFile.size() < 4)
        throw MovementError(QStringLiteral(
            "Il percorso del file da generare «%1» è troppo corto: deve terminare con "
            "un'estensione di quattro caratteri, per esempio «.xml». Correggerlo dal menu «Impostazioni».")
                                .arg(percorsoFile));
    // The system would cut the name at a NUL and write the file under another name.
    const auto control = std::find_if(percorsoFile.begin(), percorsoFile.end(), [](QChar c) { return c < u' '; });
    if (control != percorsoFile.end())
        throw MovementError(QStringLiteral(
            "Il percorso del file da generare «%1» contiene in posizione %2 il carattere di controllo U+%3, "
            "che un nome di file non può contenere. Correggerlo dal menu «Impostazioni».")
                                .arg(percorsoFile).arg(control - percorsoFile.begin() + 1)
                                .arg(control->unicode(), 4, 16, QLatin1Char('0')));
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
