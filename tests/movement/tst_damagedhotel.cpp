// "Crea File" over a hotel folder where one of the six databases is damaged: every run ends with
// a message naming that file, writes no movement file and leaves an earlier one as it was.

#include "damagedcopies.h"
#include "namedpipe.h"
#include "timelimit.h"
#include "hotelfixture.h"
#include "movementfile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace movement;

namespace {

const QStringList kDatabases = {u"Scheda_Cliente.mdb"_qs, u"SchedaStoricoClienti.mdb"_qs, u"NumeriCamere.mdb"_qs,
                                u"TipiCamere.mdb"_qs,     u"Comuni.mdb"_qs,                u"DAVozIzi.mdb"_qs};
// Both runs write this name: the classic file for 31/12/2026, the start-up file for the night
// before 01/01/2027.
const QString kOutput = u"DuzizUzazi2026-12-31.xml"_qs;
const QByteArray kEarlier = "<movimenti>the file of an earlier run</movimenti>\r\n";
const QList<std::pair<const char *, FileKind>> kKinds = {{"classico", FileKind::Classic}, {"start up", FileKind::Schema}};

// The start-up file codes countries by their abbreviation alone, from the code list: it never
// opens the country table.
bool reads(FileKind kind, const QString &database)
{
    return kind == FileKind::Classic || database != u"DAVozIzi.mdb";
}

// A hotel whose runs read all six databases: guests arriving and leaving in the range, from
// Italy and abroad, and no override files, so the rooms are counted from the databases.
void writeHotel(const QDir &folder)
{
    hotelfixture::Hotel hotel;
    hotel.rooms = {{1, "101", "DOP", 2}, {1, "102", "SIN", 1}};
    hotelfixture::Card italian = hotelfixture::present("101", 15, "20261230", "20270102");
    italian.CapoFamiglia = u"U"_qs;
    hotelfixture::Card german = hotelfixture::present("102", 16, "20261231", "20270103");
    german.Nazione = german.Stato = u"D"_qs;
    german.Residenza = u"GERMANIA"_qs;
    german.CapoFamiglia = u"U"_qs;
    hotel.current << italian << german;
    hotel.archived << hotelfixture::departed("102", 26000014, "20261228", "20261231");
    hotel.writeInto(folder);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

MovementContext contextFor(const QDir &folder)
{
    MovementContext c;
    c.folder = folder;
    c.PercorsoFile = u"DuzizUzazi.xml"_qs;
    c.CodiceStruttura = u"ABC123"_qs;
    c.selector = u"-"_qs;
    c.today = QDate(2027, 1, 5);
    return c;
}

GeneratorArgs argsFor(FileKind kind)
{
    const QString from = kind == FileKind::Classic ? u"31/12/2026"_qs : u"01/01/2027"_qs;
    return {from, u"01/01/2027"_qs, {}, u"ZZZZZZ"_qs};
}

// The run's error message, empty when the file was written.
QString runMessage(FileKind kind, const QDir &folder, const QString &label)
{
    const timelimit::TimeLimit limit(label);
    try {
        createMovementFile(kind, contextFor(folder), argsFor(kind));
    } catch (const std::runtime_error &error) {
        return QString::fromUtf8(error.what());
    }
    return QString();
}

} // namespace

class TestDamagedHotel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyDatabaseIsRead();
    void damagedDatabaseEndsTheRun_data();
    void damagedDatabaseEndsTheRun();

private:
    // A fresh copy of the sound hotel (so that no decoded table of an earlier case is reused),
    // with an earlier movement file.
    QDir freshHotel();

    QTemporaryDir m_dir;
    QDir m_sound;
    QHash<QString, QByteArray> m_images; // of the sound databases
    int m_hotels = 0;
};

void TestDamagedHotel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(u"sound"_qs));
    m_sound = QDir(m_dir.filePath(u"sound"_qs));
    writeHotel(m_sound);
    for (const QString &database : kDatabases)
        m_images.insert(database, readFile(m_sound.filePath(database)));
}

QDir TestDamagedHotel::freshHotel()
{
    const QString name = QString::number(++m_hotels);
    if (!QDir(m_dir.path()).mkdir(name))
        qFatal("cannot make a hotel folder");
    const QDir folder(m_dir.filePath(name));
    for (const QString &database : kDatabases)
        writeFile(folder.filePath(database), m_images.value(database));
    writeFile(folder.filePath(kOutput), kEarlier);
    return folder;
}

// Without this, a damaged file the runs never open would pass for one that is handled.
void TestDamagedHotel::everyDatabaseIsRead()
{
    for (const auto &[label, kind] : kKinds) {
        QVERIFY(runMessage(kind, freshHotel(), QString::fromUtf8(label)).isEmpty());
        for (const QString &database : kDatabases) {
            const QDir folder = freshHotel();
            QVERIFY(QFile::remove(folder.filePath(database)));
            const QString message = runMessage(kind, folder, database);
            if (reads(kind, database))
                QVERIFY2(message.contains(database), qPrintable(QString::fromUtf8(label) + u": "_qs + message));
            else
                QVERIFY2(message.isEmpty(), qPrintable(message));
        }
    }
}

void TestDamagedHotel::damagedDatabaseEndsTheRun_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("mustRefuse");
    QTest::addColumn<QString>("says");
    for (const QString &database : kDatabases) {
        const QByteArray image = m_images.value(database);
        QList<damagedcopies::Copy> copies = damagedcopies::structuralDamage(image);
        copies += damagedcopies::namesDamage(image);
        copies += damagedcopies::randomDamage(image, 3, quint32(qHash(database)));
        for (const damagedcopies::Copy &copy : copies) {
            QTest::addRow("%s, %s", qPrintable(database), qPrintable(copy.label))
                << database << copy.bytes << copy.mustRefuse << copy.says;
        }
        // Not a file at all: a folder, or a pipe whose reading would never end.
        QTest::addRow("%s, cartella", qPrintable(database)) << database << QByteArray("folder") << true << u"non si può leggere"_qs;
        QTest::addRow("%s, pipe", qPrintable(database)) << database << QByteArray("pipe") << true << u"non si può leggere"_qs;
    }
}

void TestDamagedHotel::damagedDatabaseEndsTheRun()
{
    QFETCH(QString, database);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, mustRefuse);
    QFETCH(QString, says);
    for (const auto &[label, kind] : kKinds) {
        if (!reads(kind, database))
            continue;
        const QDir folder = freshHotel();
        const QString path = folder.filePath(database);
        QVERIFY(QFile::remove(path));
        if (bytes == "folder") {
            QVERIFY(folder.mkdir(database));
        } else if (bytes == "pipe") {
            if (!makeNamedPipe(path))
                QSKIP("This system has no named pipes.");
        } else {
            writeFile(path, bytes);
        }
        const QStringList before = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        const QString message = runMessage(kind, folder, QString::fromUtf8(QTest::currentDataTag()));
        const QString run = QString::fromUtf8(label) + u": "_qs;
        if (message.isEmpty() && !mustRefuse)
            continue; // the damage lay where it changes no structure: the file was written
        QVERIFY2(message.contains(database), qPrintable(run + (message.isEmpty() ? u"no error"_qs : message)));
        QVERIFY2(message.contains(says), qPrintable(run + message));
        QCOMPARE(readFile(folder.filePath(kOutput)), kEarlier);
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }
}

QTEST_GUILESS_MAIN(TestDamagedHotel)
#include "tst_damagedhotel.moc"
