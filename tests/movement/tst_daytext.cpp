#include "daytext.h"
#include "operatorerror.h"

#include <QTest>

using namespace movement;

class TestDayText : public QObject
{
    Q_OBJECT

private slots:
    void acceptsCalendarDays_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("day");
        QTest::newRow("slashes") << "07/12/2026" << QDate(2026, 12, 7);
        QTest::newRow("dashes") << "01-02-2024" << QDate(2024, 2, 1);
        QTest::newRow("dots") << "01.02.2024" << QDate(2024, 2, 1);
        QTest::newRow("mixed separators") << "01/02.2024" << QDate(2024, 2, 1);
        QTest::newRow("leap day 2000") << "29/02/2000" << QDate(2000, 2, 29);
        QTest::newRow("leap day 2024") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("first day of 1900") << "01/01/1900" << QDate(1900, 1, 1);
        QTest::newRow("year 9999") << "31/12/9999" << QDate(9999, 12, 31);
    }
    void acceptsCalendarDays()
    {
        QFETCH(QString, text);
        QFETCH(QDate, day);
        QCOMPARE(readDay(text).fault, DayReading::Fault::None);
        QCOMPARE(checkedDay(text, kDallaData), day);
    }

    // A text of the day's shape that names no day is said not to exist; any other is of the wrong form.
    void refusesAnythingElse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("nonexistent");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << " " << false;
        QTest::newRow("short form left without Enter") << "7/12/2026" << false;
        QTest::newRow("six digits") << "071226" << false;
        QTest::newRow("padded") << " 07/12/2026" << false;
        QTest::newRow("other separator") << "07 12 2026" << false;
        QTest::newRow("letter in year") << "07/12/2O26" << false;
        QTest::newRow("sign in day") << "+7/12/2026" << false;
        QTest::newRow("before 1900") << "31/12/1899" << false;
        QTest::newRow("no 31 February") << "31/02/2026" << true;
        QTest::newRow("no 31 April") << "31/04/2024" << true;
        QTest::newRow("1900 not leap") << "29/02/1900" << true;
        QTest::newRow("2100 not leap") << "29/02/2100" << true;
        QTest::newRow("2023 not leap") << "29/02/2023" << true;
        QTest::newRow("day zero") << "00/01/2024" << true;
        QTest::newRow("month 13") << "01/13/2024" << true;
        QTest::newRow("year zero") << "01/01/0000" << true;
    }
    void refusesAnythingElse()
    {
        QFETCH(QString, text);
        QFETCH(bool, nonexistent);
        const DayReading reading = readDay(text);
        QCOMPARE(reading.day, QDate());
        QCOMPARE(reading.fault, nonexistent ? DayReading::Fault::Nonexistent : DayReading::Fault::Form);
        try {
            checkedDay(text, kAllaData);
            QFAIL("the date was accepted");
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(u"«Alla data»"), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("«%1»").arg(text)), qPrintable(e.message()));
            QCOMPARE(e.message().contains(u"una data inesistente"), nonexistent);
            QCOMPARE(e.message().contains(u"nella forma GG/MM/AAAA"), !nonexistent);
        }
    }

    void storedDays()
    {
        QCOMPARE(storedDay(u"19800101"_qs), QDate(1980, 1, 1));
        QCOMPARE(storedDay(u"20240229 "_qs), QDate(2024, 2, 29)); // what follows the eight digits plays no part
        for (const QString &text : {u""_qs, u"1980011"_qs, u"1980-01-01"_qs, u" 19800101"_qs, u"20230229"_qs,
                                    u"19801301"_qs, u"00000101"_qs, u"+1980101"_qs})
            QVERIFY2(!storedDay(text).isValid(), qPrintable(text));
    }

    void forms()
    {
        const QDate day(2027, 1, 2);
        QCOMPARE(dayKey(day), u"20270102"_qs);
        QCOMPARE(dashedDay(day), u"2027-01-02"_qs);
        QCOMPARE(dayText(day), u"02/01/2027"_qs);
    }
};

QTEST_APPLESS_MAIN(TestDayText)
#include "tst_daytext.moc"
