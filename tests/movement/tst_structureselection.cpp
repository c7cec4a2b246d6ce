#include "operatorerror.h"
#include "structureselection.h"

#include <QTest>

using namespace movement;

class TestStructureSelection : public QObject
{
    Q_OBJECT

private:
    static MovementContext twoStructures(const QString &selector)
    {
        MovementContext c;
        c.CodiceStruttura = u"ABC123"_qs;
        c.selector = selector;
        c.structures.CodiciStrutture[0] = u"CODE1"_qs;
        c.structures.CamereStrutture[0] = u",1,2,3,"_qs;
        c.structures.CodiciStrutture[1] = u"CODE2"_qs;
        c.structures.CamereStrutture[1] = u",4,5,"_qs;
        return c;
    }

private slots:
    void selectorNumbers()
    {
        QCOMPARE(selectedStructure(u"-"_qs), std::nullopt);
        QCOMPARE(selectedStructure(u"1"_qs), 1);
        QCOMPARE(selectedStructure(u"10"_qs), 10);
        QCOMPARE(selectedStructure(u" 2"_qs), 2);
    }

    void badSelectorsAreRefused_data()
    {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("hint");
        QTest::newRow("empty") << "" << "VeluSetup.txt";
        QTest::newRow("blank") << " " << "VeluSetup.txt";
        QTest::newRow("zero") << "0" << "«0»";
        QTest::newRow("eleven") << "11" << "«11»";
        QTest::newRow("negative") << "-1" << "«-1»";
        QTest::newRow("not a number") << "x" << "«x»";
    }
    void badSelectorsAreRefused()
    {
        QFETCH(QString, selector);
        QFETCH(QString, hint);
        try {
            selectedStructure(selector);
            QFAIL("the selector was accepted");
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(hint), qPrintable(e.message()));
        }
    }

    void codeOfTheSelectedStructure()
    {
        QCOMPARE(selectedStructureCode(twoStructures(u"-"_qs)), u"ABC123"_qs);
        QCOMPARE(selectedStructureCode(twoStructures(u"1"_qs)), u"CODE1"_qs);
        QCOMPARE(selectedStructureCode(twoStructures(u"2"_qs)), u"CODE2"_qs);
    }

    void roomsOfAList()
    {
        QVERIFY(roomInList(u",101,102,"_qs, u"101"_qs));
        QVERIFY(roomInList(u",101,102,"_qs, u" 102  "_qs));
        QVERIFY(!roomInList(u",101,102,"_qs, u"10"_qs));
        QVERIFY(!roomInList(u",101,102,"_qs, u"1010"_qs));
        // Without the outer commas the first and last rooms never match.
        QVERIFY(!roomInList(u"101,102"_qs, u"101"_qs));
        QVERIFY(!roomInList(u"101,102"_qs, u"102"_qs));
        QVERIFY(!roomInList(u",a1,"_qs, u"A1"_qs));
        QVERIFY(roomInList(u",12,"_qs, u" 12"_qs));
    }

    void roomsOfTheSelectedStructure()
    {
        QVERIFY(roomSelected(twoStructures(u"-"_qs), u"99"_qs));
        QVERIFY(roomSelected(twoStructures(u"2"_qs), u"4"_qs));
        QVERIFY(!roomSelected(twoStructures(u"2"_qs), u"1"_qs));
        QVERIFY(roomSelected(twoStructures(u"1"_qs), u"3"_qs));
    }
};

QTEST_APPLESS_MAIN(TestStructureSelection)
#include "tst_structureselection.moc"
