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
};

QTEST_APPLESS_MAIN(TestFieldEntry)
#include "tst_fieldentry.moc"
