#include "databaseimage.h"

#include "dberror.h"
#include "jetfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace hoteldb {

namespace {
// Jet itself never lets a database grow past 2 GB.
constexpr qint64 kLargestDatabase = qint64(2) << 30;
constexpr unsigned long kPauseMs = 200;
} // namespace

DatabaseImage DatabaseImage::read(const QString &path, const std::function<void()> &afterRead)
{
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    for (int attempt = 1;; ++attempt) {
        const FileStamp before = FileStamp::of(path);
        if (before.size < 0) {
            throw DbError(u"Il database %1 non esiste nella cartella di lavoro (%2).",
                          {fileName, QDir::toNativeSeparators(info.absolutePath())});
        }
        // Only a plain file: a folder or a device under the database's name is not read at all.
        const bool plainFile = QFileInfo(path).isFile();
        if (plainFile && before.size > kLargestDatabase)
            throw DbError(u"Il file %1 è troppo grande per essere un database Jet.", {fileName});
        QFile file(path);
        QByteArray bytes;
        if (plainFile && file.open(QIODevice::ReadOnly))
            bytes = file.read(jet::JetFile::kHeadSize);
        const auto unreadable = [&] {
            return DbError(u"Il database %1 non si può leggere (%2).",
                           {fileName, QDir::toNativeSeparators(info.absoluteFilePath())});
        };
        if (!plainFile || !file.isOpen() || file.error() != QFileDevice::NoError)
            throw unreadable();
        // Any other file, however large, is told from its first bytes: the rest is not read.
        const bool isJet = jet::JetFile::hasSignature(bytes);
        if (isJet)
            bytes += file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw unreadable();
        file.close();
        if (afterRead)
            afterRead();
        if (FileStamp::of(path) == before && (!isJet || bytes.size() == before.size)) {
            if (!isJet)
                throw jet::JetFile::notJet(fileName);
            return {std::move(bytes), before};
        }
        if (attempt == kAttempts) {
            throw DbError(u"Il database %1 cambia mentre viene letto: il programma alberghiero lo sta "
                          u"salvando. Riprovare fra qualche istante.",
                          {fileName});
        }
        QThread::msleep(kPauseMs);
    }
}

} // namespace hoteldb
