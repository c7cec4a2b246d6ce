#include "outputfile.h"

#include "daytext.h"
#include "linewriter.h"
#include "movementerror.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

#include <algorithm>

namespace movement {

namespace {

// Less room than this left on a disk after a failed write means the write failed for want of room.
constexpr qint64 kNearlyFull = 64 * 1024;

// Whether the file starts as every movement file starts (an empty one included) and lacks the
// closing line that ends every complete one.
bool isUnfinishedMovementFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray declaration = kXmlDeclaration.toUtf8() + "\r\n";
    if (!declaration.startsWith(file.read(declaration.size())))
        return false;
    const QByteArray closing = "</movimenti>\r\n";
    return file.size() < closing.size() || !file.seek(file.size() - closing.size())
        || file.read(closing.size()) != closing;
}

} // namespace

QString outputFilePath(const QDir &folder, const QString &percorsoFile, QDate day)
{
    if (percorsoFile.size() < 4)
        throw MovementError(u"Il percorso del file da generare «%1» è troppo corto: deve terminare con "
                            u"un'estensione di quattro caratteri, per esempio «.xml». Correggerlo dal menu «Impostazioni».",
                            {percorsoFile});
    // The system would cut the name at a NUL and write the file under another name.
    const auto control = std::find_if(percorsoFile.begin(), percorsoFile.end(), [](QChar c) { return c < u' '; });
    if (control != percorsoFile.end())
        throw MovementError(u"Il percorso del file da generare «%1» contiene in posizione %2 il carattere di controllo "
                            u"U+%3, che un nome di file non può contenere. Correggerlo dal menu «Impostazioni».",
                            {percorsoFile, QString::number(control - percorsoFile.begin() + 1), codePoint(*control)});
    const QString path = folder.absoluteFilePath(percorsoFile.chopped(4) + dashedDay(day) + QStringLiteral(".xml"));
    const QDir target = QFileInfo(path).absoluteDir();
    if (!target.exists())
        throw MovementError(u"La cartella «%1» del file da generare non esiste: correggere il percorso «%2» dal menu "
                            u"«Impostazioni».",
                            {QDir::toNativeSeparators(target.path()), percorsoFile});
    return path;
}

namespace {

// A disk with no room left: the system says so on Unix, while Windows reports a plain write
// error, so the room left on the disk decides too.
bool diskFull(const QFileDevice &file, const QString &folder)
{
    const qint64 available = QStorageInfo(folder).bytesAvailable();
    return file.error() == QFileDevice::ResourceError || (available >= 0 && available < kNearlyFull);
}

// Why a file could not be created, in words the operator can act on: the system's own text
// is English and does not say which folder is at fault.
MovementError openFailure(const QSaveFile &file, const QString &path)
{
    const QFileInfo target(path);
    const QString folder = QDir::toNativeSeparators(target.absolutePath());
    QString reason;
    if (target.isDir())
        reason = QStringLiteral("con questo nome c'è già una cartella");
    else if (!target.dir().exists())
        reason = hoteldb::operatorMessage(u"la cartella «%1» non esiste", {folder});
    else if (target.exists() && !target.isWritable())
        reason = QStringLiteral("il file esistente è di sola lettura");
    else if (diskFull(file, target.absolutePath()))
        reason = hoteldb::operatorMessage(u"lo spazio sul disco della cartella «%1» è esaurito", {folder});
    else
        // As the root of C: on Windows, where a stored path from older versions may point.
        reason = hoteldb::operatorMessage(u"nella cartella «%1» non si possono creare file (permessi, disco di sola "
                                          u"lettura o cartella di rete non raggiungibile): scegliere un altro percorso in "
                                          u"«Impostazioni» › «Percorso creazione file», per esempio nella cartella Documenti",
                                          {folder});
    return MovementError(hoteldb::operatorMessage(u"Impossibile creare il file «%1»: ", {QDir::toNativeSeparators(path)})
                         + reason + u'.');
}

MovementError writeFailure(const QSaveFile &file, const QString &path, bool hadEarlier)
{
    const QString name = QDir::toNativeSeparators(path);
    const QString kept = hadEarlier ? QStringLiteral("; il file precedente è intatto") : QString();
    if (diskFull(file, QFileInfo(path).absolutePath()))
        return MovementError(hoteldb::operatorMessage(u"Spazio su disco esaurito: il file «%1» non è stato scritto", {name})
                             + kept + u'.');
    return MovementError(hoteldb::operatorMessage(u"Scrittura non riuscita: il file «%1» non è stato scritto", {name}) + kept
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

void removeLeftovers(const QDir &folder, const QString &percorsoFile)
{
    if (percorsoFile.size() < 4)
        return;
    // The save's temporary name is the target's, "." and six characters (QSaveFile's pattern).
    const QFileInfo stem(folder.absoluteFilePath(percorsoFile.chopped(4)));
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(stem.fileName()) + QStringLiteral("[0-9]{4}-[0-9]{2}-[0-9]{2}\\.xml\\.[A-Za-z0-9]{6}")));
    for (const QFileInfo &entry : stem.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden)) {
        if (leftover.match(entry.fileName()).hasMatch() && isUnfinishedMovementFile(entry.filePath()))
            QFile::remove(entry.filePath());
    }
}

} // namespace movement
