#include "descriptionparser.h"
#include "jetwriteerror.h"

#include <QTest>

using namespace jetwriter;

class TstDescriptionParser : public QObject
{
    Q_OBJECT

private slots:
    void readsTablesColumnsAndValues();
    void formatDefaultsToJet4();
    void refusesMalformedDescriptions_data();
    void refusesMalformedDescriptions();
};

void TstDescriptionParser::readsTablesColumnsAndValues()
{
    const Description description = parseDescription(R"({"format": "jet3", "tables": [
        {"name": "Scheda_Cliente", "columns": [
            {"name": "NumeroCamera", "type": "text", "size": 10}, {"name": "NumeroHotel", "type": "long"},
            {"name": "Nota", "type": "memo"}, {"name": "Posti", "type": "byte"}, {"name": "Anno", "type": "integer"},
            {"name": "Prezzo", "type": "double"}, {"name": "Partito", "type": "boolean"},
            {"name": "Arrivo", "type": "datetime"}],
         "rows": [["101", 1, null, 3.0, 9007199254740993, 2.5, true, "2024-05-01T10:00:00"]]},
        {"name": "Vuota", "columns": [{"name": "A", "type": "long"}]}]})");

    QCOMPARE(description.format, Format::Jet3);
    QCOMPARE(description.tables.size(), 2);
    const Table &cards = description.tables[0];
    QCOMPARE(cards.name, u"Scheda_Cliente"_qs);
    const QList<ColumnType> types{ColumnType::Text,    ColumnType::Long,   ColumnType::Memo,    ColumnType::Byte,
                                  ColumnType::Integer, ColumnType::Double, ColumnType::Boolean, ColumnType::DateTime};
    QCOMPARE(cards.columns.size(), types.size());
    for (int i = 0; i < types.size(); ++i)
        QCOMPARE(cards.columns[i].type, types[i]);
    QCOMPARE(cards.columns[0].size, 10);

    const QVariantList &row = cards.rows.at(0);
    QCOMPARE(row[0], QVariant(u"101"_qs));
    QCOMPARE(row[1].typeId(), QMetaType::LongLong); // whole numbers fit integral columns
    QVERIFY(row[2].isNull());
    QCOMPARE(row[3], QVariant(qint64(3)));
    QCOMPARE(row[4], QVariant(qint64(9007199254740993))); // beyond 2^53, not rounded through a double
    QCOMPARE(row[5], QVariant(2.5));
    QCOMPARE(row[6], QVariant(true));
    QCOMPARE(row[7], QVariant(u"2024-05-01T10:00:00"_qs)); // checked by the writer, which names the cell

    QVERIFY(description.tables[1].rows.isEmpty());
}

void TstDescriptionParser::formatDefaultsToJet4()
{
    QCOMPARE(parseDescription(R"({"tables": []})").format, Format::Jet4);
}

void TstDescriptionParser::refusesMalformedDescriptions_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");

    QTest::newRow("not JSON") << QByteArray(R"({"tables": [)") << u"non leggibile"_qs;
    QTest::newRow("not an object") << QByteArray("[]") << u"serve un oggetto"_qs;
    QTest::newRow("no tables") << QByteArray(R"({"format": "jet4"})") << u"«tables»"_qs;
    QTest::newRow("unknown format") << QByteArray(R"({"format": "jet5", "tables": []})") << u"\"jet3\""_qs;
    QTest::newRow("misspelt key") << QByteArray(R"({"tabels": []})") << u"«tabels»"_qs;
    QTest::newRow("table without name") << QByteArray(R"({"tables": [{"columns": []}]})") << u"tabella n. 1"_qs;
    QTest::newRow("unknown column type")
        << QByteArray(R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "money"}]}]})") << u"«money»"_qs;
    QTest::newRow("text without size")
        << QByteArray(R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "text"}]}]})")
        << u"tabella «T», colonna n. 1"_qs;
    QTest::newRow("fractional size")
        << QByteArray(R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "text", "size": 2.5}]}]})")
        << u"«size»"_qs;
    QTest::newRow("size of a number column")
        << QByteArray(R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long", "size": 4}]}]})")
        << u"solo per le colonne di testo"_qs;
    QTest::newRow("row not a list")
        << QByteArray(R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}], "rows": [1]}]})")
        << u"tabella «T», riga 1"_qs;
    QTest::newRow("nested value")
        << QByteArray(R"({"tables": [{"name": "T", "columns": [{"name": "A", "type": "long"}], "rows": [[[1]]]}]})")
        << u"tabella «T», riga 1, colonna «A»"_qs;
}

void TstDescriptionParser::refusesMalformedDescriptions()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    try {
        parseDescription(json);
        QFAIL("the description was accepted");
    } catch (const JetWriteError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TstDescriptionParser)
#include "tst_descriptionparser.moc"
