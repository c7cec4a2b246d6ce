#include "fieldentry.h"

#include <QTest>

using namespace app;

class TestFieldEntry : public QObject
{
    Q_OBJECT

private slots:
    void cleaning_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("apostrophe and case") << "l'a12" << "L´A12";
        QTest::newRow("outer spaces go, inner stay") << "  a  b " << "A  B";
        QTest::newRow("empty becomes a space") << "" << " ";
        QTest::newRow("blank becomes a space") << "    " << " ";
        QTest::newRow("accented letters") << "città" << "CITTÀ";
        QTest::newRow("every apostrophe") << "''" << "´´";
        QTest::newRow("tabs are not spaces") << "\ta" << "\tA";
        QTest::newRow("sharp s keeps its length") << "ß1" << "ß1";
    }
    void cleaning()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(PulisciTesto(typed), cleaned);
    }

    void completing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("completed");
        QTest::newRow("short, 2000s") << "010120" << "01/01/2020";
        QTest::newRow("34 is 2034") << "150534" << "15/05/2034";
        QTest::newRow("35 is 1935") << "150535" << "15/05/1935";
        QTest::newRow("99 is 1999") << "311299" << "31/12/1999";
        QTest::newRow("letters read as 0") << "0101ab" << "01/01/20ab";
        QTest::newRow("eight digits") << "01012021" << "01/01/2021";
        QTest::newRow("seven stays") << "0101202" << "0101202";
        QTest::newRow("complete stays") << "01/01/2021" << "01/01/2021";
        QTest::newRow("blank stays") << " " << " ";
    }
    void completing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, completed);
        QCOMPARE(CompletaData(typed), completed);
    }

    void checking_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "07/12/2026" << true;
        QTest::newRow("leap 2024") << "29/02/2024" << true;
        QTest::newRow("not leap 2023") << "29/02/2023" << false;
        QTest::newRow("1900 is no leap year") << "29/02/1900" << false;
        QTest::newRow("2000 is") << "29/02/2000" << true;
        QTest::newRow("2100 is not") << "29/02/2100" << false;
        QTest::newRow("April has 30") << "31/04/2024" << false;
        QTest::newRow("day 0") << "00/01/2024" << false;
        QTest::newRow("month 13") << "01/13/2024" << false;
        QTest::newRow("month 0") << "01/00/2024" << false;
        QTest::newRow("before 1900") << "01/01/1899" << false;
        QTest::newRow("first day of 1900") << "01/01/1900" << true;
        QTest::newRow("dashes pass") << "01-02-2024" << true;
        QTest::newRow("dots pass") << "01.02.2024" << true;
        QTest::newRow("outer spaces trimmed") << " 01/02/2024 " << true;
        QTest::newRow("seven characters") << "0101202" << false;
        QTest::newRow("blank") << " " << false;
        QTest::newRow("letters") << "aa/bb/cccc" << false;
        QTest::newRow("year 9999") << "31/12/9999" << true;
    }
    void checking()
    {
        QFETCH(QString, date);
        QFETCH(bool, valid);
        QCOMPARE(ControllaData(date), valid);
    }

    void ordering_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("inOrder");
        QTest::newRow("equal") << "10/05/2024" << "10/05/2024" << true;
        QTest::newRow("day later") << "10/05/2024" << "09/05/2024" << false;
        QTest::newRow("day earlier") << "09/05/2024" << "10/05/2024" << true;
        QTest::newRow("month decides over day") << "31/01/2024" << "01/02/2024" << true;
        QTest::newRow("month later") << "01/03/2024" << "28/02/2024" << false;
        QTest::newRow("year decides") << "31/12/2026" << "01/01/2027" << true;
        QTest::newRow("year later") << "01/01/2027" << "31/12/2026" << false;
        QTest::newRow("only ten characters count") << "10/05/2024x" << "10/05/2024" << true;
        QTest::newRow("other separators") << "10-05-2024" << "10.05.2024" << true;
    }
    void ordering()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, inOrder);
        QCOMPARE(ConfrontaDate(first, second), inOrder);
    }

    void leapYears()
    {
        QVERIFY(AnnoBisestile(2024));
        QVERIFY(AnnoBisestile(2000));
        QVERIFY(AnnoBisestile(1600));
        QVERIFY(!AnnoBisestile(2023));
        QVERIFY(!AnnoBisestile(1900));
        QVERIFY(!AnnoBisestile(2100));
    }
};

QTEST_APPLESS_MAIN(TestFieldEntry)
#include "tst_fieldentry.moc"
