#include "numericvalue.h"
#include "trimspaces.h"

#include <QTest>

using namespace core;

class TestNumericValue : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("leading blanks") << "  \t7" << 7.0;
        QTest::newRow("sign") << "-3" << -3.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("decimal") << "2.5" << 2.5;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("trailing point") << "1." << 1.0;
        QTest::newRow("words after") << "25 camere" << 25.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("comma stops") << "1,5" << 1.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("no number") << "camere 25" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numericValue(text), value);
    }

    void halvesRoundToEven()
    {
        QCOMPARE(roundHalfEven(0.5), 0.0);
        QCOMPARE(roundHalfEven(1.5), 2.0);
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(2.4999), 2.0);
        QCOMPARE(roundHalfEven(2.5001), 3.0);
    }

    void wholeNumberRoundsAndClamps()
    {
        QCOMPARE(wholeNumber(u"2.5"), 2);
        QCOMPARE(wholeNumber(u"3.5 strutture"), 4);
        QCOMPARE(wholeNumber(u"x"), 0);
        // A huge figure must stay huge (and fail the caller's range check), not wrap around.
        QVERIFY(wholeNumber(u"99999999999999999999999") > 10);
        QVERIFY(wholeNumber(u"-99999999999999999999999") < 1);
    }

    void trimOnlySpaces()
    {
        QCOMPARE(trimSpaces(u"  12 a  "_qs), u"12 a"_qs);
        QCOMPARE(trimSpaces(u"   "_qs), QString());
        QCOMPARE(trimSpaces(u"\t12\t"_qs), u"\t12\t"_qs);
    }
};

QTEST_APPLESS_MAIN(TestNumericValue)
#include "tst_numericvalue.moc"
