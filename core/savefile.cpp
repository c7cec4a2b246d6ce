#include "savefile.h"

#include "operatorerror.h"
#include "operatormessage.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace core {

namespace {

// Less room than this left on a disk after a failed write means the write failed for want of room.
constexpr qint64 kNearlyFull = 64 * 1024;

// A disk with no room left: the system says so on Unix, while Windows reports a plain write
// error, so the room left on the disk decides too.
bool diskFull(const QFileDevice &file, const QString &folder)
{
    const qint64 available = QStorageInfo(folder).bytesAvailable();
    return file.error() == QFileDevice::ResourceError || (available >= 0 && available < kNearlyFull);
}

// Why a file could not be created, in words the operator can act on: the system's own text
// is English and does not say which folder is at fault.
OperatorError openFailure(const QSaveFile &file, const QString &path)
{
    const QFileInfo target(path);
    const QString folder = QDir::toNativeSeparators(target.absolutePath());
    QString reason;
    if (target.isDir())
        reason = QStringLiteral("con questo nome c'è già una cartella");
    else if (!target.dir().exists())
        reason = operatorMessage(u"la cartella «%1» non esiste", {folder});
    else if (target.exists() && !target.isWritable())
        reason = QStringLiteral("il file esistente è di sola lettura");
    else if (diskFull(file, target.absolutePath()))
        reason = operatorMessage(u"lo spazio sul disco della cartella «%1» è esaurito", {folder});
    else
        // As the root of C: on Windows, where a stored path from older versions may point.
        reason = operatorMessage(u"nella cartella «%1» non si possono creare file (permessi, disco di sola "
                                 u"lettura o cartella di rete non raggiungibile): scegliere un altro percorso in "
                                 u"«Impostazioni» › «Percorso creazione file», per esempio nella cartella Documenti",
                                 {folder});
    return OperatorError(operatorMessage(u"Impossibile creare il file «%1»: ", {QDir::toNativeSeparators(path)})
                         + reason + u'.');
}

OperatorError writeFailure(const QSaveFile &file, const QString &path, bool hadEarlier)
{
    const QString name = QDir::toNativeSeparators(path);
    const QString kept = hadEarlier ? QStringLiteral("; il file precedente è intatto") : QString();
    if (diskFull(file, QFileInfo(path).absolutePath()))
        return OperatorError(operatorMessage(u"Spazio su disco esaurito: il file «%1» non è stato scritto", {name})
                             + kept + u'.');
    return OperatorError(operatorMessage(u"Scrittura non riuscita: il file «%1» non è stato scritto", {name}) + kept
                         + QStringLiteral(". Controllare che non sia aperto in un altro programma e riprovare."));
}

} // namespace

void saveAtomically(const QString &path, const std::function<void(QIODevice &)> &write)
{
    const bool hadEarlier = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw openFailure(file, path);
    // On an exception the QSaveFile is destroyed uncommitted, which removes the temporary file.
    try {
        write(file);
    } catch (const std::exception &) {
        if (file.error() != QFileDevice::NoError)
            throw writeFailure(file, path, hadEarlier);
        throw;
    }
    // The last buffered bytes reach the disk only here, and commit() would not notice their
    // failure: it would put a short file in place of the earlier one.
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        throw writeFailure(file, path, hadEarlier);
}

} // namespace core
