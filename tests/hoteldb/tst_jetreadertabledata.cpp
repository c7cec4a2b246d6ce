#include "tabledata.h"

#include <QTest>

using namespace hoteldb;

namespace {

// One column of each type, with Null and empty cells among the values.
TableData sampleTable()
{
    TableData table(QStringLiteral("Scheda_Cliente"),
                    {{QStringLiteral("NumeroProgressivo"), Value::Type::Integer},
                     {QStringLiteral("Lingua"), Value::Type::Text},
                     {QStringLiteral("Tariffa"), Value::Type::Real},
                     {QStringLiteral("Partito"), Value::Type::Boolean},
                     {QStringLiteral("Arrivo"), Value::Type::DateTime},
                     {QStringLiteral("Foto"), Value::Type::Binary}});
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(char(b));
    const QList<QList<Value>> rows = {
        {Value::integer(26000123), Value::text(QStringLiteral("IT")), Value::real(-3.5), Value::boolean(true),
         Value::dateTime(-1.25), Value::binary(everyByte)},
        {Value::integer(-1), Value::text(QString()), Value(), Value::boolean(false), Value(), Value::binary(QByteArray())},
        {Value(), Value(), Value::real(1e300), Value::boolean(false), Value::dateTime(46000.5),
         Value::binary(QByteArray("\0\xff", 2))},
        {Value::integer(7), Value::text(QStringLiteral("Мир 漢字 😀")), Value::real(0.1), Value::boolean(true),
         Value::dateTime(0), Value()},
    };
    for (const QList<Value> &row : rows) {
        table.appendRow();
        for (int c = 0; c < row.size(); ++c)
            table.setValue(c, row[c]);
    }
    return table;
}

} // namespace

class TestJetReaderTableData : public QObject
{
    Q_OBJECT

private slots:
    void keepsEveryValueItIsGiven();
};

void TestJetReaderTableData::keepsEveryValueItIsGiven()
{
    const TableData table = sampleTable();
    QCOMPARE(table.binaryAt(0, 5).size(), 256);
    for (int b = 0; b < 256; ++b)
        QCOMPARE(uchar(table.binaryAt(0, 5)[b]), uchar(b));
    // An empty binary or text cell is a value, not a Null.
    QVERIFY(!table.isNull(1, 5));
    QCOMPARE(table.value(1, 5), Value::binary(QByteArray()));
    QVERIFY(!table.isNull(1, 1));
    QCOMPARE(table.textAt(1, 1), QStringView(u""));
    QVERIFY(table.isNull(2, 1));
    // Texts and bytes share one arena without running into each other.
    QCOMPARE(table.textAt(3, 1), QStringView(u"Мир 漢字 😀"));
    QCOMPARE(table.binaryAt(2, 5), QByteArray("\0\xff", 2));
}

QTEST_GUILESS_MAIN(TestJetReaderTableData)
#include "tst_jetreadertabledata.moc"
