#include "databaseimage.h"
#include "dberror.h"
#include "jetreader.h"
#include "jetwriter.h"
#include "namedpipe.h"
#include "timelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace hoteldb;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString messageOf(const QString &path, const std::function<void()> &afterRead = {})
{
    const timelimit::TimeLimit limit(path);
    try {
        DatabaseImage::read(path, afterRead);
    } catch (const DbError &error) {
        return error.message();
    }
    return QString();
}

QByteArray rooms(int count)
{
    jetwriter::Description description;
    description.tables = {{QStringLiteral("NumeriCamere"), {{QStringLiteral("NumeroCamera"), jetwriter::ColumnType::Text, 10}}, {}}};
    for (int i = 0; i < count; ++i)
        description.tables[0].rows.append({QString::number(100 + i)});
    return jetwriter::writeDatabase(description);
}

// The bytes this process has read so far, where the system counts them; -1 elsewhere.
qint64 bytesRead()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray counts = io.readAll();
    const qsizetype at = counts.indexOf("rchar: ");
    return at < 0 ? -1 : counts.mid(at + 7, counts.indexOf('\n', at) - at - 7).toLongLong();
}

} // namespace

class TestDatabaseImage : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatIsThere();
    void readsAgainAFileSavedMeanwhile();
    void reportsAFileThatKeepsChanging();
    void refusesWhatIsNoPlainFile();
    void refusesAFileItMayNotRead();
    void refusesAnotherFileFromItsFirstBytes();
};

void TestDatabaseImage::readsWhatIsThere()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("NumeriCamere.mdb"));
    writeFile(path, rooms(3));
    const DatabaseImage image = DatabaseImage::read(path);
    QCOMPARE(image.bytes, rooms(3));
    QCOMPARE(image.stamp, FileStamp::of(path));
    QCOMPARE(JetReader(path).stamp(), FileStamp::of(path));
}

// The hotel program saves while the file is read: the reading starts again, and the image is
// the new file whole, never a mixture of the two.
void TestDatabaseImage::readsAgainAFileSavedMeanwhile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("NumeriCamere.mdb"));
    writeFile(path, rooms(3));
    int readings = 0;
    const DatabaseImage image = DatabaseImage::read(path, [&] {
        if (++readings == 1)
            writeFile(path, rooms(400));
    });
    QCOMPARE(readings, 2);
    QCOMPARE(image.bytes, rooms(400));
    QCOMPARE(image.stamp, FileStamp::of(path));
}

void TestDatabaseImage::reportsAFileThatKeepsChanging()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Scheda_Cliente.mdb"));
    writeFile(path, rooms(3));
    int readings = 0;
    const QString message = messageOf(path, [&] { writeFile(path, rooms(3 + 300 * (++readings % 2))); });
    QCOMPARE(readings, DatabaseImage::kAttempts);
    QCOMPARE(message, QStringLiteral("Il database Scheda_Cliente.mdb cambia mentre viene letto: il programma "
                                     "alberghiero lo sta salvando. Riprovare fra qualche istante."));
}

// A folder or a pipe (whose reading would never end) under a database's name, or no file at
// all: refused at once with the file's name and place.
void TestDatabaseImage::refusesWhatIsNoPlainFile()
{
    QTemporaryDir dir;
    const QString cannotRead = QStringLiteral("Il database %1 non si può leggere (%2).");
    const auto place = [&dir](const QString &name) { return QDir::toNativeSeparators(dir.filePath(name)); };

    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Comuni.mdb")));
    QCOMPARE(messageOf(dir.filePath(QStringLiteral("Comuni.mdb"))),
             cannotRead.arg(QStringLiteral("Comuni.mdb"), place(QStringLiteral("Comuni.mdb"))));

    QCOMPARE(messageOf(dir.filePath(QStringLiteral("TipiCamere.mdb"))),
             QStringLiteral("Il database TipiCamere.mdb non esiste nella cartella di lavoro (%1).")
                 .arg(QDir::toNativeSeparators(dir.path())));

    if (!makeNamedPipe(dir.filePath(QStringLiteral("DAVozIzi.mdb"))))
        QSKIP("This system has no named pipes.");
    QCOMPARE(messageOf(dir.filePath(QStringLiteral("DAVozIzi.mdb"))),
             cannotRead.arg(QStringLiteral("DAVozIzi.mdb"), place(QStringLiteral("DAVozIzi.mdb"))));
}

void TestDatabaseImage::refusesAFileItMayNotRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("NumeriCamere.mdb"));
    writeFile(path, rooms(3));
    // Windows keeps a file from being read by a program holding it, not by permissions (see the
    // shared reading test there); root reads whatever the permissions say.
    if (!QFile::setPermissions(path, QFileDevice::Permissions()) || ::access(QFile::encodeName(path).constData(), R_OK) == 0)
        QSKIP("This user reads every file, whatever its permissions.");
    QCOMPARE(messageOf(path), QStringLiteral("Il database NumeriCamere.mdb non si può leggere (%1).")
                                  .arg(QDir::toNativeSeparators(path)));
}

// A large file that is no database (a backup of something else under a database's name) is
// refused from its first bytes: it is never read whole.
void TestDatabaseImage::refusesAnotherFileFromItsFirstBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SchedaStoricoClienti.mdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(256) << 20)); // sparse where the system allows
    file.close();
    const qint64 before = bytesRead();
    QCOMPARE(messageOf(path), QStringLiteral("Il file SchedaStoricoClienti.mdb non è un database Jet oppure è danneggiato."));
    if (before >= 0)
        QVERIFY2(bytesRead() - before < (qint64(1) << 20), "the file was read beyond its first bytes");
}

QTEST_GUILESS_MAIN(TestDatabaseImage)
#include "tst_databaseimage.moc"
