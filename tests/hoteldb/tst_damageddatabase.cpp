#include "damagedcopies.h"
#include "dberror.h"
#include "hoteldatabaseimages.h"
#include "jetreader.h"
#include "timelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hoteldb;

Q_DECLARE_METATYPE(jetwriter::Format)

namespace {

const QList<std::pair<const char *, jetwriter::Format>> kFormats = {{"Jet 3", jetwriter::Format::Jet3},
                                                                     {"Jet 4", jetwriter::Format::Jet4}};

// Writes the copy under the database's name and returns its path.
QString writeCopy(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Writes the copy under the database's name and reads the tables named, each on its own, as the
// generators would; the messages of what was refused, none when everything reads.
QStringList readThrough(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes, const QString &label,
                        const QStringList &tables)
{
    const QString path = writeCopy(dir, name, bytes);
    const timelimit::TimeLimit limit(name + QStringLiteral(", ") + label);
    QStringList messages;
    try {
        const JetReader reader(path);
        for (const QString &table : tables) {
            try {
                reader.readTable(table);
            } catch (const DbError &error) {
                messages << error.message();
            }
        }
    } catch (const DbError &error) {
        messages << error.message();
    }
    return messages;
}

} // namespace

class TestDamagedDatabase : public QObject
{
    Q_OBJECT

private slots:
    void readsTheSoundFiles_data();
    void readsTheSoundFiles();
    void refusesBrokenStructure_data();
    void refusesBrokenStructure();
    void survivesBytesChangedAtRandom_data();
    void survivesBytesChangedAtRandom();
    void readsTheFuzzCorpus_data();
    void readsTheFuzzCorpus();

private:
    QTemporaryDir m_dir;
};

void TestDamagedDatabase::readsTheSoundFiles_data()
{
    QTest::addColumn<jetwriter::Format>("format");
    for (const auto &[label, format] : kFormats)
        QTest::newRow(label) << format;
}

// The copies below are damaged from these: each must read whole while sound, with every kind
// of page present, or the damage tests would prove nothing.
void TestDamagedDatabase::readsTheSoundFiles()
{
    QFETCH(jetwriter::Format, format);
    for (const hoteldatabases::File &file : hoteldatabases::files()) {
        const JetReader reader(writeCopy(m_dir, file.name, hoteldatabases::image(file, format)));
        QCOMPARE(reader.readTable(file.table.name)->rowCount(), file.table.rows.size());
    }
    const QByteArray cards = hoteldatabases::image(hoteldatabases::files().first(), format);
    const auto kinds = damagedcopies::pagesByKind(cards, format == jetwriter::Format::Jet4 ? 4096 : 2048);
    for (const char *kind : {"intestazione", "definizione del catalogo", "righe del catalogo", "definizione di tabella",
                             "righe di tabella", "testi lunghi", "mappe delle pagine"})
        QVERIFY2(kinds.contains(QString::fromUtf8(kind)), kind);
    QVERIFY(kinds.value(QStringLiteral("righe di tabella")).size() > 3);
}

void TestDamagedDatabase::refusesBrokenStructure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    for (const auto &[label, format] : kFormats) {
        for (const hoteldatabases::File &file : hoteldatabases::files()) {
            for (const damagedcopies::Copy &copy : damagedcopies::structuralDamage(hoteldatabases::image(file, format))) {
                QTest::addRow("%s, %s, %s", label, qPrintable(file.name), qPrintable(copy.label))
                    << file.name << file.table.name << copy.bytes << copy.says;
            }
        }
    }
}

// Cut short, pointing outside itself, contradicting its own counts or protected: the file is
// refused with a message that names it and says what is wrong.
void TestDamagedDatabase::refusesBrokenStructure()
{
    QFETCH(QString, name);
    QFETCH(QString, table);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    const QString message = readThrough(m_dir, name, bytes, QString::fromUtf8(QTest::currentDataTag()), {table}).value(0);
    QVERIFY2(message.contains(name), qPrintable(message.isEmpty() ? QStringLiteral("read without error") : message));
    QVERIFY2(message.contains(says), qPrintable(message));
}

void TestDamagedDatabase::survivesBytesChangedAtRandom_data()
{
    readsTheSoundFiles_data();
}

// Changed bytes in any page: the file reads, or it is refused naming it; never a crash, a
// hang or another kind of failure. Structure pages changed enough are always noticed.
void TestDamagedDatabase::survivesBytesChangedAtRandom()
{
    QFETCH(jetwriter::Format, format);
    int refused = 0;
    int read = 0;
    for (const hoteldatabases::File &file : hoteldatabases::files()) {
        const QByteArray image = hoteldatabases::image(file, format);
        for (const damagedcopies::Copy &copy : damagedcopies::randomDamage(image, 14, quint32(qHash(file.name)))) {
            const QString message = readThrough(m_dir, file.name, copy.bytes, copy.label, {file.table.name}).value(0);
            QVERIFY2(message.isEmpty() || message.contains(file.name), qPrintable(copy.label + QStringLiteral(": ") + message));
            ++(message.isEmpty() ? read : refused);
        }
    }
    QVERIFY(refused > 0);
    QVERIFY(read > 0);
}

void TestDamagedDatabase::readsTheFuzzCorpus_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(qEnvironmentVariable("NAX_SOURCE_DIR") + QStringLiteral("/tests/fuzz/corpus-decode"));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << corpus.filePath(file);
}

// The fuzzer's seeds, and every input that once made the decoding fail: each of the hotel
// program's tables reads, or is refused (missing, most of them) with a message naming the file.
void TestDamagedDatabase::readsTheFuzzCorpus()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList tables;
    for (const hoteldatabases::File &database : hoteldatabases::files())
        tables << database.table.name;
    for (const QString &message : readThrough(m_dir, QStringLiteral("Comuni.mdb"), file.readAll(), path, tables))
        QVERIFY2(message.contains(QStringLiteral("Comuni.mdb")), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestDamagedDatabase)
#include "tst_damageddatabase.moc"
