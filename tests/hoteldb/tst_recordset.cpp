// Moving through a recordset as the hotel's lookups and scans do: FindFirst, FindNext, NoMatch
// and Fields, on a real .mdb file.

#include "dbengine.h"
#include "mdbfixture.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

using namespace hoteldb;
using jetwriter::ColumnType;
using Ids = QList<qint64>;

class TestRecordset : public QObject
{
    Q_OBJECT

private:
    Recordset open(const QString &source) { return mdbfixture::openRecordset(m_path, source); }
    static void expectNoCurrentRecord(const Recordset &recordset)
    {
        try {
            recordset.Fields("Id");
            QFAIL("a field was read without a current record");
        } catch (const DbError &e) {
            QVERIFY2(e.message().contains("Non c'è un record corrente"), qPrintable(e.message()));
            QVERIFY2(e.message().contains("CodiciVari"), qPrintable(e.message()));
        }
    }

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void initTestCase();
    void newRecordsetStandsOnItsFirstRecord();
    void criterionThatFindsNothing();
    void findNextAfterTheLastMatch();
    void findFollowsTheRecordsetOrder();
    void twoRecordsetsOnOneQuery();
    void bookmarkNamesTheRecordInEveryRecordset();
    void criterionMayChangeBetweenFinds();
    void indexedSearchAgreesWithScan();
    void fieldValues();
    void closedDatabase();
    void malformedCriterion();
};

void TestRecordset::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath("Comuni.mdb");
    jetwriter::Table codes{"CodiciVari",
                           {mdbfixture::column("Id", ColumnType::Long), mdbfixture::column("Tipo", ColumnType::Integer),
                            mdbfixture::text("Sigla", 5), mdbfixture::text("Descrizione"), mdbfixture::text("CodicePS", 9),
                            mdbfixture::column("Peso", ColumnType::Double),
                            mdbfixture::column("Attivo", ColumnType::Boolean),
                            mdbfixture::column("Dal", ColumnType::DateTime)},
                           {}};
    // Municipalities and countries, with names repeated so that FindNext walks several matches.
    for (int i = 1; i <= 600; ++i) {
        const bool country = i % 3 == 0;
        codes.rows.append({i, country ? 0 : 3, country ? QVariant(QString("S%1").arg(i % 7)) : QVariant(),
                           QString("  LUOGO %1 ").arg(i % 10), QString("Z%1").arg(i, 3, 10, QChar('0')), i / 4.0,
                           i % 2 == 0, QDateTime(QDate(2000, 1, 1).addDays(i), QTime(0, 0))});
    }
    try {
        mdbfixture::write(m_path, {codes});
    } catch (const std::exception &e) {
        QFAIL(e.what());
    }
}

void TestRecordset::newRecordsetStandsOnItsFirstRecord()
{
    Recordset table = open("CodiciVari");
    QVERIFY(!table.NoMatch());
    QCOMPARE(table.Fields("Id"), Value::integer(1));
    Recordset ordered = open("Select * From CodiciVari Where Id > 597 Order by Sigla");
    QCOMPARE(ordered.Fields("Id"), Value::integer(598)); // Null Sigla first
    expectNoCurrentRecord(open("Select * From CodiciVari Where Id > 600"));
}

void TestRecordset::criterionThatFindsNothing()
{
    Recordset codes = open("CodiciVari");
    codes.FindFirst("Trim(Descrizione) = 'LUOGO 3' and Tipo = 1");
    QVERIFY(codes.NoMatch());
    expectNoCurrentRecord(codes);
    codes.FindFirst("Tipo = 0 and Sigla = 's2'");
    QVERIFY(!codes.NoMatch());
    QCOMPARE(codes.Fields("Id"), Value::integer(9));
}

void TestRecordset::findNextAfterTheLastMatch()
{
    Recordset codes = open("Select * From CodiciVari Where Id >= 590 Order by Id");
    const QString criteria = "Tipo = 0";
    codes.FindFirst(criteria);
    QCOMPARE(codes.Fields("Id"), Value::integer(591));
    codes.FindNext(criteria);
    codes.FindNext(criteria);
    codes.FindNext(criteria);
    QCOMPARE(codes.Fields("Id"), Value::integer(600));
    codes.FindNext(criteria);
    QVERIFY(codes.NoMatch());
    expectNoCurrentRecord(codes);
    codes.FindNext(criteria);
    QVERIFY(codes.NoMatch());
    codes.FindFirst(criteria);
    QCOMPARE(codes.Fields("Id"), Value::integer(591));
}

void TestRecordset::findFollowsTheRecordsetOrder()
{
    Recordset codes = open("Select * From CodiciVari Where Tipo = 0 and Id > 500 Order by Sigla, CodicePS");
    // S0 first (Id 504, 525, ...), FindNext continuing in that order, not the stored one.
    QCOMPARE(mdbfixture::findAll(codes, "Sigla = 'S0' or Sigla = 'S1'"),
             (Ids{504, 525, 546, 567, 588, 519, 540, 561, 582}));
}

void TestRecordset::twoRecordsetsOnOneQuery()
{
    Database database = DBEngine::instance().OpenDatabase(m_path);
    const QString query = "Select * From CodiciVari Where Id <= 30 Order by Id;";
    Recordset heads = database.OpenRecordset(query);
    Recordset members = database.OpenRecordset(query);
    const QString everyCountry = "Tipo = 0";
    Ids seen;
    heads.FindFirst(everyCountry);
    while (!heads.NoMatch()) {
        const QString sameName = QString("Descrizione = '%1' and Tipo = 3").arg(heads.Fields("Descrizione").textValue());
        members.FindFirst(sameName);
        while (!members.NoMatch()) {
            seen << heads.Fields("Id").integerValue() * 100 + members.Fields("Id").integerValue();
            members.FindNext(sameName);
        }
        heads.FindNext(everyCountry);
    }
    database.Close();
    // Each country with the municipalities of its name (ids ending in the same digit), up to 30.
    QCOMPARE(seen, (Ids{313, 323, 616, 626, 919, 929, 1202, 1222, 1505, 1525, 1808, 1828, 2101, 2111, 2404, 2414,
                        2707, 2717, 3010, 3020}));
}

void TestRecordset::bookmarkNamesTheRecordInEveryRecordset()
{
    Recordset table = open("CodiciVari");
    Recordset reversed = open("Select * From CodiciVari Where Id > 10 Order by Sigla, Descrizione;");
    for (const char *criterion : {"Id = 11", "Id = 600"}) {
        table.FindFirst(criterion);
        reversed.FindFirst(criterion);
        QCOMPARE(reversed.Bookmark(), table.Bookmark());
    }
    QCOMPARE(table.Bookmark(), 599);
    table.FindFirst("Id = 0");
    QVERIFY_THROWS_EXCEPTION(DbError, table.Bookmark());
}

void TestRecordset::criterionMayChangeBetweenFinds()
{
    Recordset codes = open("CodiciVari");
    codes.FindFirst("Id = 10");
    codes.FindNext("Tipo = 0");
    QCOMPARE(codes.Fields("Id"), Value::integer(12));
    codes.FindNext("Trim(Descrizione) = 'LUOGO 5'");
    QCOMPARE(codes.Fields("Id"), Value::integer(15));
}

void TestRecordset::indexedSearchAgreesWithScan()
{
    // On the whole table the equalities are answered by indexes; on a SELECT recordset every
    // record is tested. Both must visit the same records in the same order.
    for (const QString criteria :
         {"Trim(Descrizione) = 'luogo 7' and Tipo = 3", "Sigla = 'S3' and Tipo = 0", "Descrizione = '  LUOGO 7 '",
          "Attivo = -1 and Tipo = 0 and Sigla = 'S4'", "Id > 100 and Id <= 130 and Tipo = 3",
          "CodicePS >= 'z100' and CodicePS < 'Z120' and Peso > 0", "'Z590' < CodicePS", "Tipo < 3 and 20 >= Id",
          "Sigla >= 'S5' and Tipo = 0 and Descrizione > '  LUOGO 5' and Attivo = 0", "Id >= 1 and Tipo <= 3"}) {
        Recordset indexed = open("CodiciVari");
        Recordset scanned = open("Select * From CodiciVari Where Id > 0");
        const Ids viaIndex = mdbfixture::findAll(indexed, criteria);
        QVERIFY2(!viaIndex.isEmpty(), qPrintable(criteria));
        QCOMPARE(viaIndex, mdbfixture::findAll(scanned, criteria));
    }
}

void TestRecordset::fieldValues()
{
    Recordset codes = open("CodiciVari");
    codes.FindFirst("CodicePS = 'Z006'");
    QCOMPARE(codes.Fields("codiceps"), Value::text("Z006"));
    QCOMPARE(codes.Fields("Descrizione"), Value::text("  LUOGO 6 "));
    QCOMPARE(codes.Fields("Tipo"), Value::integer(0));
    QCOMPARE(codes.Fields("Peso"), Value::real(1.5));
    QCOMPARE(codes.Fields("Attivo"), Value::boolean(true));
    QCOMPARE(codes.Fields("Dal"), Value::dateTime(QDate(1899, 12, 30).daysTo(QDate(2000, 1, 7))));
    codes.FindFirst("Id = 7");
    QVERIFY(codes.Fields("Sigla").isNull());
}

void TestRecordset::closedDatabase()
{
    Database database = DBEngine::instance().OpenDatabase(m_path);
    Recordset before = database.OpenRecordset("CodiciVari");
    database.Close();
    QCOMPARE(before.Fields("Id"), Value::integer(1));
    try {
        database.OpenRecordset("CodiciVari");
        QFAIL("a closed database opened a recordset");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains("Comuni.mdb") && e.message().contains("chiuso"), qPrintable(e.message()));
    }
}

void TestRecordset::malformedCriterion()
{
    Recordset codes = open("CodiciVari");
    try {
        codes.FindFirst("Tipo = 0 and Sigla = 'I");
        QFAIL("a malformed criterion was accepted");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains("alla posizione 22:"), qPrintable(e.message()));
    }
    QCOMPARE(codes.Fields("Id"), Value::integer(1)); // the current record stays
}

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
