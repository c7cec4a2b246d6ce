// Opening database files, the cache of decoded tables and subqueries on the files beside them.

#include "dbengine.h"
#include "mdbfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hoteldb;
using jetwriter::ColumnType;
using Ids = QList<qint64>;

class TestDBEngine : public QObject
{
    Q_OBJECT

private:
    static jetwriter::Table rooms(const QList<QVariantList> &rows)
    {
        return {"NumeriCamere",
                {mdbfixture::column("Id", ColumnType::Long), mdbfixture::column("NumeroHotel", ColumnType::Long),
                 mdbfixture::text("NumeroCamera", 10), mdbfixture::text("TipoCamera", 5)},
                rows};
    }
    static jetwriter::Table roomTypes(const QList<QVariantList> &rows)
    {
        return {"TipiCamere",
                {mdbfixture::column("NumeroHotel", ColumnType::Long), mdbfixture::text("Sigla", 5),
                 mdbfixture::text("Tipologia", 1)},
                rows};
    }
    Ids available(const QString &roomsFile, const QString &typesFile = "TipiCamere.mdb")
    {
        return mdbfixture::findAll(
            mdbfixture::openRecordset(
                roomsFile, "Select * From NumeriCamere Where NumeroHotel = 1 and NumeroCamera >= '1' and NumeroCamera <= '20' and "
                           "TipoCamera In (Select Sigla From TipiCamere In '" + typesFile +
                               "' Where NumeroHotel = 1 and Tipologia = 'C')"),
            "NumeroHotel = 1");
    }

    QTemporaryDir m_dir;

private slots:
    void initTestCase();
    void bareNameResolvesAgainstTheCurrentFolder();
    void missingAndForeignFiles();
    void decodedTablesAreReusedWhileTheFileIsUnchanged();
    void droppedOrDisabledCacheDecodesAgainWithTheSameResults();
    void subqueryOnAnotherFileOfTheFolder();
    void subqueryFileMustBeBesideTheDatabase();
    void subqueryFollowsChangesOfItsFile();
};

void TestDBEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QVariant null;
    mdbfixture::write(m_dir.filePath("NumeriCamere.mdb"),
                      {rooms({{1, 1, "1", "DOP"}, {2, 1, "10", "dop"}, {3, 1, "9", "DOP"}, {4, 1, "101", "SUI"},
                              {5, 1, "2", null}, {6, 2, "11", "DOP"}, {7, 1, "20", "SIN"}, {8, 1, "15", "APP"}})});
    mdbfixture::write(m_dir.filePath("TipiCamere.mdb"),
                      {roomTypes({{1, "DOP", "C"}, {1, "SIN", "C"}, {1, "APP", "A"}, {2, "SUI", "C"}, {1, null, "C"}})});
}

void TestDBEngine::bareNameResolvesAgainstTheCurrentFolder()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    Database database = DBEngine::instance().OpenDatabase("NumeriCamere.mdb");
    QDir::setCurrent(previous);
    QCOMPARE(database.path(), QDir(m_dir.path()).absoluteFilePath("NumeriCamere.mdb"));
    QCOMPARE(mdbfixture::findAll(database.OpenRecordset("NumeriCamere"), "NumeroHotel = 2"), Ids{6});

    // From another folder, the bare name is looked for there and not found.
    mdbfixture::expectDbError([] { DBEngine::instance().OpenDatabase("NumeriCamere.mdb"); }, {"NumeriCamere.mdb"});
}

void TestDBEngine::missingAndForeignFiles()
{
    mdbfixture::expectDbError([&] { DBEngine::instance().OpenDatabase(m_dir.filePath("Assente.mdb")); }, {"Assente.mdb"});

    QFile foreign(m_dir.filePath("Testo.mdb"));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("Questo non è un database.\r\n");
    foreign.close();
    mdbfixture::expectDbError([&] { DBEngine::instance().OpenDatabase(foreign.fileName()); }, {"Testo.mdb"});
}

void TestDBEngine::decodedTablesAreReusedWhileTheFileIsUnchanged()
{
    const QString path = m_dir.filePath("Schede.mdb");
    const auto cards = [](int count) {
        jetwriter::Table table{"Scheda_Cliente",
                               {mdbfixture::column("Id", ColumnType::Long), mdbfixture::text("DataArrivo", 8)},
                               {}};
        for (int i = 1; i <= count; ++i)
            table.rows.append({i, QString("202612%1").arg(i % 28 + 1, 2, 10, QChar('0'))});
        return table;
    };
    const jetwriter::Table hotel{"Alberghi", {mdbfixture::column("NumeroHotel", ColumnType::Long)}, {{1}}};
    mdbfixture::write(path, {cards(100), hotel});
    DBEngine &engine = DBEngine::instance();
    const qint64 start = engine.decodedTables();
    const QString query = "Select * From Scheda_Cliente Where DataArrivo = '20261205' Order by Id";

    for (int pass = 0; pass < 3; ++pass) {
        Database database = engine.OpenDatabase(path);
        QCOMPARE(mdbfixture::findAll(database.OpenRecordset(query), "Id > 0"), (Ids{4, 32, 60, 88}));
        QCOMPARE(mdbfixture::findAll(database.OpenRecordset("scheda_cliente"), "DataArrivo = '20261205'"),
                 (Ids{4, 32, 60, 88}));
        database.Close();
    }
    QCOMPARE(engine.decodedTables(), start + 1);
    engine.OpenDatabase(path).OpenRecordset("Alberghi");
    QCOMPARE(engine.decodedTables(), start + 2);

    // A rewritten file is decoded again, and queries see its new rows.
    mdbfixture::write(path, {cards(3000), hotel});
    Database database = engine.OpenDatabase(path);
    const Ids found = mdbfixture::findAll(database.OpenRecordset(query), "Id > 0");
    QCOMPARE(found.size(), 108);
    QCOMPARE(found.last(), 3000);
    QCOMPARE(engine.decodedTables(), start + 3);

    // Only its modification time changing is enough.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(-3600),
                             QFileDevice::FileModificationTime));
    file.close();
    engine.OpenDatabase(path).OpenRecordset(query);
    QCOMPARE(engine.decodedTables(), start + 4);
}

void TestDBEngine::droppedOrDisabledCacheDecodesAgainWithTheSameResults()
{
    DBEngine &engine = DBEngine::instance();
    const QString path = m_dir.filePath("NumeriCamere.mdb");
    const auto rooms = [&] {
        Database database = engine.OpenDatabase(path);
        const Ids found = mdbfixture::findAll(database.OpenRecordset("Select * From NumeriCamere Order by NumeroCamera"),
                                              "NumeroHotel = 1");
        database.Close();
        return found;
    };
    const Ids expected{1, 2, 4, 8, 5, 7, 3};
    QCOMPARE(rooms(), expected);
    qint64 start = engine.decodedTables();
    QCOMPARE(rooms(), expected);
    QCOMPARE(engine.decodedTables(), start);

    engine.dropCache();
    QCOMPARE(rooms(), expected);
    QCOMPARE(engine.decodedTables(), start + 1);

    // Without the cache every opening decodes the file again; a recordset opened before stays usable.
    engine.setCaching(false);
    Database held = engine.OpenDatabase(path);
    Recordset before = held.OpenRecordset("NumeriCamere");
    start = engine.decodedTables();
    QCOMPARE(rooms(), expected);
    QCOMPARE(rooms(), expected);
    QCOMPARE(engine.decodedTables(), start + 2);
    QCOMPARE(mdbfixture::findAll(before, "NumeroHotel = 2"), Ids{6});
    // Back on, the table decoded last serves again.
    engine.setCaching(true);
    QCOMPARE(rooms(), expected);
    QCOMPARE(engine.decodedTables(), start + 2);
}

void TestDBEngine::subqueryOnAnotherFileOfTheFolder()
{
    // Room type abbreviations compare without regard to case; a room without a type is not counted.
    QCOMPARE(available(m_dir.filePath("NumeriCamere.mdb")), (Ids{1, 2, 7}));

    // The other file is looked for beside the database, not in the current folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    const Ids fromElsewhere = available(m_dir.filePath("NumeriCamere.mdb"));
    QDir::setCurrent(previous);
    QCOMPARE(fromElsewhere, (Ids{1, 2, 7}));
}

void TestDBEngine::subqueryFileMustBeBesideTheDatabase()
{
    const QString rooms = m_dir.filePath("NumeriCamere.mdb");
    mdbfixture::expectDbError([&] { available(rooms, "Tipi.mdb"); }, {"Tipi.mdb"});
    mdbfixture::expectDbError([&] { available(rooms, "NumeriCamere.mdb"); }, {"TipiCamere", "NumeriCamere.mdb"});
    for (const QString &outside : QStringList{".", "..", "../TipiCamere.mdb", "sub/TipiCamere.mdb",
                                              "..\\TipiCamere.mdb", "C:TipiCamere.mdb", m_dir.filePath("TipiCamere.mdb")})
        mdbfixture::expectDbError([&] { available(rooms, outside); }, {outside, "deve essere un file della cartella"});
}

void TestDBEngine::subqueryFollowsChangesOfItsFile()
{
    QTemporaryDir dir;
    const QString roomsFile = dir.filePath("NumeriCamere.mdb");
    mdbfixture::write(roomsFile, {rooms({{1, 1, "1", "DOP"}, {2, 1, "2", "SIN"}})});
    mdbfixture::write(dir.filePath("TipiCamere.mdb"), {roomTypes({{1, "DOP", "C"}})});
    QCOMPARE(available(roomsFile), Ids{1});

    // Only the room types change: the same query text must not answer from an earlier result.
    QList<QVariantList> types = {{1, "DOP", "C"}, {1, "SIN", "C"}};
    for (int i = 0; i < 2000; ++i)
        types.append({2, QString("X%1").arg(i), "A"});
    mdbfixture::write(dir.filePath("TipiCamere.mdb"), {roomTypes(types)});
    QCOMPARE(available(roomsFile), (Ids{1, 2}));
}

QTEST_GUILESS_MAIN(TestDBEngine)
#include "tst_dbengine.moc"
