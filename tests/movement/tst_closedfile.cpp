#include "closedfile.h"
#include "operatorerror.h"

#include <QBuffer>
#include <QTest>

using namespace movement;

namespace {

QByteArray crlf(QByteArray text) { return text.replace("\n", "\r\n"); }

QByteArray closedDay(const char *key)
{
    return crlf(QByteArray("   <movimento>\n"
                           "      <data>") + key + "</data>\n"
                "      <struttura>\n"
                "         <apertura>NO</apertura>\n"
                "         <camereoccupate>0</camereoccupate>\n"
                "         <cameredisponibili>0</cameredisponibili>\n"
                "         <lettidisponibili>0</lettidisponibili>\n"
                "      </struttura>\n"
                "      <arrivi></arrivi>\n"
                "      <partenze></partenze>\n"
                "      <prenotazioni></prenotazioni>\n"
                "      <rettifiche></rettifiche>\n"
                "   </movimento>\n");
}

QByteArray head(const char *code)
{
    return crlf(QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<movimenti>\n"
                           "  <codice>") + code + "</codice>\n"
                "  <prodotto>QUORVANE</prodotto>\n");
}

const QByteArray kTail = "</movimenti>\r\n";

MovementContext context(const QString &selector = u"-"_qs)
{
    MovementContext c;
    c.PercorsoFile = u"DuzizUzazi.xml"_qs;
    c.CodiceStruttura = u"ABC123"_qs;
    c.selector = selector;
    c.structures.CodiciStrutture[0] = u"CODE1"_qs;
    c.structures.CodiciStrutture[1] = u"CODE2"_qs;
    return c;
}

QByteArray generate(const MovementContext &c, const GeneratorArgs &args)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CreaMovimentiChiusa(c, args, buffer);
    return buffer.data();
}

} // namespace

class TestClosedFile : public QObject
{
    Q_OBJECT

private slots:
    void rangeAcrossTheYearEnd()
    {
        const QByteArray expected = head("ABC123") + closedDay("20261230") + closedDay("20261231")
            + closedDay("20270101") + closedDay("20270102") + kTail;
        QCOMPARE(generate(context(), {u"30/12/2026"_qs, u"02/01/2027"_qs, u""_qs, u"ZZZZZZ"_qs}), expected);
    }

    void daysOfTheRange()
    {
        QCOMPARE(generate(context(), {u"07/12/2026"_qs, u"07/12/2026"_qs, {}, {}}),
                 head("ABC123") + closedDay("20261207") + kTail);
        QCOMPARE(generate(context(), {u"28/02/2028"_qs, u"01/03/2028"_qs, {}, {}}),
                 head("ABC123") + closedDay("20280228") + closedDay("20280229") + closedDay("20280301") + kTail);
        // Other separators are read by position like slashes.
        QCOMPARE(generate(context(), {u"01-02-2024"_qs, u"01.02.2024"_qs, {}, {}}),
                 head("ABC123") + closedDay("20240201") + kTail);
    }

    void codeOfTheSelectedStructure()
    {
        QCOMPARE(generate(context(u"2"_qs), {u"07/12/2026"_qs, u"07/12/2026"_qs, {}, {}}),
                 head("CODE2") + closedDay("20261207") + kTail);
        MovementContext c = context();
        c.CodiceStruttura = u"A&B"_qs;
        QCOMPARE(generate(c, {u"07/12/2026"_qs, u"07/12/2026"_qs, {}, {}}),
                 head("A&amp;B") + closedDay("20261207") + kTail);
    }

    void roomRangeIsIgnored()
    {
        QCOMPARE(generate(context(), {u"07/12/2026"_qs, u"08/12/2026"_qs, u"1"_qs, u"20"_qs}),
                 generate(context(), {u"07/12/2026"_qs, u"08/12/2026"_qs, u"'x"_qs, u""_qs}));
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty first date") << "-" << "" << "07/12/2026" << "Dalla data";
        QTest::newRow("short last date") << "-" << "07/12/2026" << "8/12/2026" << "Alla data";
        QTest::newRow("no such day") << "-" << "29/02/2100" << "01/03/2100" << "Dalla data";
        QTest::newRow("last day before the first") << "-" << "08/12/2026" << "07/12/2026" << "«Alla data» (07/12/2026)";
        QTest::newRow("empty selector") << "" << "07/12/2026" << "07/12/2026" << "VeluSetup.txt";
        QTest::newRow("selector out of range") << "11" << "07/12/2026" << "07/12/2026" << "«11»";
    }
    void badInputWritesNothing()
    {
        QFETCH(QString, selector);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, named);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        try {
            CreaMovimentiChiusa(context(selector), {from, to, {}, {}}, buffer);
            QFAIL("bad input was accepted");
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        }
        QCOMPARE(buffer.data(), QByteArray());
    }
};

QTEST_APPLESS_MAIN(TestClosedFile)
#include "tst_closedfile.moc"
