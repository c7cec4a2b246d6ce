// Jet's rules for conditions and ordering, checked on a real .mdb file through both ways a
// condition is used: as the WHERE of a SELECT and as the criterion of FindFirst/FindNext.

#include "dbengine.h"
#include "mdbfixture.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

using namespace hoteldb;
using jetwriter::ColumnType;
using Ids = QList<qint64>;

class TestEvaluator : public QObject
{
    Q_OBJECT

private:
    Ids select(const QString &text) { return mdbfixture::findAll(mdbfixture::openRecordset(m_path, text), "Id > 0"); }
    Ids find(const QString &criteria) { return mdbfixture::findAll(mdbfixture::openRecordset(m_path, "Schede"), criteria); }

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void initTestCase();
    void conditions_data();
    void conditions();
    void ordering_data();
    void ordering();
    void typeMismatchIsRefused_data();
    void typeMismatchIsRefused();
    void missingNamesAreReported();
    void subqueryOnTheSameFile();
};

void TestEvaluator::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath("Schede.mdb");
    const QVariant null;
    const QDateTime birth(QDate(1980, 12, 31), QTime(0, 0));
    const QDateTime dayZero(QDate(1899, 12, 30), QTime(0, 0));
    jetwriter::Table cards{
        "Schede",
        {mdbfixture::column("Id", ColumnType::Long), mdbfixture::column("NumeroHotel", ColumnType::Long),
         mdbfixture::text("NumeroCamera", 10), mdbfixture::text("DataArrivo", 8), mdbfixture::text("Lingua", 10),
         mdbfixture::text("NomeCliente"), mdbfixture::column("Importo", ColumnType::Double),
         mdbfixture::column("Presente", ColumnType::Boolean), mdbfixture::column("Nascita", ColumnType::DateTime)},
        {
            {1, 1, "9", "20261207", "I", "ROSSI MARIO", 2.5, true, birth},
            {2, 1, "10", "20261207", "*", "*** ***", 0.0, false, null},
            {3, 1, "101", "20261206", null, "D'Angelo", null, false, dayZero},
            {4, 2, "9", "20261207", "EN", "città", -1.5, true, null},
            {5, 1, null, null, "", "CITTÀ ", 10.0, false, null},
            {6, null, "20", "20261208", "*I", "Città", 3.0, true, null},
            {7, 1, "100", "20261207", "i", null, 2.5, false, null},
        }};
    jetwriter::Table types{"Tipi",
                           {mdbfixture::text("Sigla", 20), mdbfixture::column("Codice", ColumnType::Long)},
                           {{"ROSSI MARIO", 1}, {"città", 2}, {null, null}}};
    try {
        mdbfixture::write(m_path, {cards, types});
    } catch (const std::exception &e) {
        QFAIL(e.what());
    }
}

void TestEvaluator::conditions_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<Ids>("expected");

    // Texts: case and accents fold, trailing spaces count, order is character order.
    QTest::newRow("case and accent fold") << "NomeCliente = 'città'" << Ids{4, 6};
    QTest::newRow("trailing space counts") << "NomeCliente = 'CITTÀ '" << Ids{5};
    QTest::newRow("accent is not dropped") << "NomeCliente = 'CITTA'" << Ids{};
    QTest::newRow("literal on the left") << "'CITTÀ' = NomeCliente" << Ids{4, 6};
    QTest::newRow("not equal leaves Null out") << "NomeCliente <> 'città'" << Ids{1, 2, 3, 5};
    QTest::newRow("also on the right") << "'città' <> NomeCliente" << Ids{1, 2, 3, 5};
    QTest::newRow("shorter text sorts first") << "NomeCliente > 'città'" << Ids{1, 3, 5};
    QTest::newRow("less than") << "NomeCliente < 'città'" << Ids{2};
    QTest::newRow("doubled quote") << "NomeCliente = 'D''Angelo'" << Ids{3};
    QTest::newRow("rooms compare as text") << "NumeroCamera >= '1' and NumeroCamera <= '20'" << Ids{2, 3, 6, 7};
    QTest::newRow("range with literals on the left") << "'1' <= NumeroCamera and '20' >= NumeroCamera" << Ids{2, 3, 6, 7};
    QTest::newRow("room 9 after 20") << "NumeroCamera > '20'" << Ids{1, 4};
    QTest::newRow("whole range") << "NumeroCamera >= '' and NumeroCamera <= 'ZZZZZZ'" << Ids{1, 2, 3, 4, 6, 7};
    QTest::newRow("flag case") << "Lingua = 'I'" << Ids{1, 7};

    // Instr and Trim, with Null on either side.
    QTest::newRow("instr absent") << "Instr(Lingua, '*') = 0" << Ids{1, 4, 5, 7};
    QTest::newRow("instr present") << "instr(Lingua,'*') > 0" << Ids{2, 6};
    QTest::newRow("instr position ignores case") << "Instr(NomeCliente, 'ITT') = 2" << Ids{4, 5, 6};
    QTest::newRow("instr of two fields") << "Instr(Lingua, NomeCliente) = 0" << Ids{1, 2, 4, 5, 6};
    QTest::newRow("instr of empty needle") << "Instr(NomeCliente, '') = 1" << Ids{1, 2, 3, 4, 5, 6};
    QTest::newRow("instr of empty text") << "Instr(Lingua, '') = 0" << Ids{5};
    QTest::newRow("trim") << "Trim(NomeCliente) = 'città'" << Ids{4, 5, 6};
    QTest::newRow("trim in a range") << "Trim(NomeCliente) <= 'città'" << Ids{2, 4, 5, 6};
    QTest::newRow("trim of instr argument") << "Instr(Trim(NomeCliente), 'à') = 5" << Ids{4, 5, 6};
    QTest::newRow("trim equality with another term") << "Trim(NumeroCamera) = '9' and NumeroHotel = 1" << Ids{1};

    // Numbers, yes/no fields (-1 and 0) and dates (day numbers).
    QTest::newRow("real") << "Importo > 2" << Ids{1, 5, 6, 7};
    QTest::newRow("real equality") << "Importo = 2.5" << Ids{1, 7};
    QTest::newRow("negative") << "Importo < -1" << Ids{4};
    QTest::newRow("whole number against real literal") << "NumeroHotel = 1.0" << Ids{1, 2, 3, 5, 7};
    QTest::newRow("Null hotel is neither 1 nor not 1") << "NumeroHotel = 1 or NumeroHotel <> 1" << Ids{1, 2, 3, 4, 5, 7};
    QTest::newRow("yes") << "Presente = -1" << Ids{1, 4, 6};
    QTest::newRow("no") << "Presente = 0" << Ids{2, 3, 5, 7};
    QTest::newRow("date as day number") << "Nascita < 1" << Ids{3};
    QTest::newRow("date after") << "Nascita > 29000" << Ids{1};

    // And binds tighter than Or; parentheses; a field compared with itself is not true on Null.
    QTest::newRow("precedence") << "NumeroHotel = 2 or NumeroHotel = 1 and Lingua = 'I'" << Ids{1, 4, 7};
    QTest::newRow("parentheses") << "(NumeroHotel = 2 or NumeroHotel = 1) and Lingua = 'i'" << Ids{1, 7};
    QTest::newRow("nested") << "((Lingua = 'EN' or (Importo = 3)) and (NumeroCamera <> '1'))" << Ids{4, 6};
    QTest::newRow("field against itself") << "NumeroCamera = NumeroCamera" << Ids{1, 2, 3, 4, 6, 7};
    QTest::newRow("constant") << "1 = 1" << Ids{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("finds nothing") << "NumeroHotel = 3" << Ids{};

    // An equality that an index answers gives what the same test as a range gives.
    QTest::newRow("equality") << "DataArrivo = '20261207'" << Ids{1, 2, 4, 7};
    QTest::newRow("same as a range") << "DataArrivo >= '20261207' and DataArrivo <= '20261207'" << Ids{1, 2, 4, 7};
    QTest::newRow("two equalities") << "NumeroHotel = 1 and DataArrivo = '20261207' and Lingua = 'I'" << Ids{1, 7};
    QTest::newRow("equality inside or") << "DataArrivo = '20261206' or Importo = 3" << Ids{3, 6};

    // Ranges holding most rows, answered by taking out the rows outside them, as a night's
    // occupancy is: nothing outside is kept, nothing inside is lost, Nulls stay out.
    QTest::newRow("wide ranges") << "DataArrivo <= '20261207' and NumeroCamera > '10'" << Ids{1, 3, 4, 7};
    QTest::newRow("wide range and narrow one") << "NumeroCamera >= '' and DataArrivo < '20261208' and DataArrivo > '20261206'"
                                               << Ids{1, 2, 4, 7};
    QTest::newRow("night of a stay") << "DataArrivo <= '20261207' and NomeCliente >= 'C'" << Ids{1, 3, 4};
}

void TestEvaluator::conditions()
{
    QFETCH(QString, condition);
    QFETCH(Ids, expected);
    QCOMPARE(select("Select * From Schede Where " + condition), expected);
    QCOMPARE(find(condition), expected);
}

void TestEvaluator::ordering_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<Ids>("expected");
    QTest::newRow("Nulls first, ties by the second field")
        << "Select * From Schede Order by Lingua, NumeroCamera" << Ids{3, 5, 2, 6, 4, 7, 1};
    QTest::newRow("ties keep the stored order") << "Select * From Schede Order by NumeroHotel" << Ids{6, 1, 2, 3, 5, 7, 4};
    QTest::newRow("real then date") << "Select * From Schede Order by Importo,Nascita;" << Ids{3, 4, 2, 7, 1, 6, 5};
    QTest::newRow("where and order")
        << "Select * From Schede Where NumeroHotel = 1 Order by NomeCliente" << Ids{7, 2, 5, 3, 1};
    QTest::newRow("room numbers as text") << "SELECT * FROM Schede WHERE NumeroCamera <> '' ORDER BY numerocamera"
                                          << Ids{2, 7, 3, 6, 1, 4};
    QTest::newRow("no order is the stored order") << "Select * From Schede" << Ids{1, 2, 3, 4, 5, 6, 7};
}

void TestEvaluator::ordering()
{
    QFETCH(QString, query);
    QFETCH(Ids, expected);
    QCOMPARE(select(query), expected);
}

void TestEvaluator::typeMismatchIsRefused_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("position");
    QTest::newRow("text field, number") << "NumeroCamera = 9" << 16;
    QTest::newRow("number field, text") << "NumeroHotel = '1'" << 15;
    QTest::newRow("instr of a number") << "Instr(NumeroHotel, '1') = 0" << 7;
    QTest::newRow("trim of a number") << "Trim(Importo) = 'x'" << 6;
    QTest::newRow("instr result, text") << "Instr(Lingua,'*') = 'x'" << 21;
    QTest::newRow("date, text") << "Nascita = '20261207'" << 11;
    QTest::newRow("yes/no, text") << "Presente = 'S'" << 12;
    QTest::newRow("in on other kind") << "NumeroHotel In (Select Sigla From Tipi)" << 24;
}

void TestEvaluator::typeMismatchIsRefused()
{
    QFETCH(QString, condition);
    QFETCH(int, position);
    const QStringList parts = {"Tipo di dati non corrispondente", QString("alla posizione %1:").arg(position)};
    mdbfixture::expectDbError([&] { find(condition); }, parts);
    // Refused before any row is read, so also on a recordset that selects nothing.
    const int offset = QString("Select * From Schede Where NumeroHotel = 3 and ").size();
    mdbfixture::expectDbError([&] { select("Select * From Schede Where NumeroHotel = 3 and " + condition); },
                {"Tipo di dati non corrispondente", QString("alla posizione %1:").arg(position + offset)});
}

void TestEvaluator::missingNamesAreReported()
{
    const QStringList field = {"Schede", "Schede.mdb", "Camera"};
    mdbfixture::expectDbError([&] { select("Select * From Schede Where Camera = '1'"); }, field);
    mdbfixture::expectDbError([&] { select("Select * From Schede Order by Camera"); }, field);
    mdbfixture::expectDbError([&] { find("NumeroHotel = 1 and Trim(Camera) = '1'"); }, field);
    mdbfixture::expectDbError([&] {
        Database database = DBEngine::instance().OpenDatabase(m_path);
        database.OpenRecordset("Schede").Fields("Camera");
    }, field);
    mdbfixture::expectDbError([&] { select("Select * From Tipi Where Sigla In (Select Sigla From Nessuna)"); }, {"Nessuna", "Schede.mdb"});
    mdbfixture::expectDbError([&] { select("Select * From Tipi Where Sigla In (Select Camera From Schede)"); }, field);
    mdbfixture::expectDbError([&] { select("Select * From Clienti"); }, {"Clienti", "Schede.mdb"});
}

void TestEvaluator::subqueryOnTheSameFile()
{
    // Null in the subquery's rows matches nothing; case folds as in any comparison.
    QCOMPARE(select("Select * From Schede Where NomeCliente In (Select Sigla From Tipi)"), (Ids{1, 4, 6}));
    QCOMPARE(find("Lingua In (Select Sigla From Tipi)"), Ids{}); // not even the empty text
    QCOMPARE(find("NomeCliente In (Select Sigla From Tipi Where Codice = 2) and Presente = -1"), (Ids{4, 6}));
    QCOMPARE(find("NumeroHotel In (Select Codice From Tipi Where Sigla = 'ROSSI MARIO')"), (Ids{1, 2, 3, 5, 7}));
    QCOMPARE(find("NumeroHotel In (Select Codice From Tipi Where Sigla = 'nessuno')"), Ids{});
}

QTEST_GUILESS_MAIN(TestEvaluator)
#include "tst_evaluator.moc"
