#include "oledate.h"

#include <QTest>

using namespace jetwriter;

class TstOleDate : public QObject
{
    Q_OBJECT

private slots:
    void days_data();
    void days();
};

void TstOleDate::days_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("days");

    QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("quarter past") << QDateTime(QDate(1899, 12, 30), QTime(6, 0)) << 0.25;
    QTest::newRow("modern") << QDateTime(QDate(2000, 1, 1), QTime(12, 0)) << 36526.5;
    QTest::newRow("the day before counts down, the hours still forward")
        << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    QTest::newRow("last day Access knows") << QDateTime(QDate(9999, 12, 31), QTime(0, 0)) << 2958465.0;
    QTest::newRow("time zone ignored, clock time kept")
        << QDateTime(QDate(2024, 5, 1), QTime(18, 0), Qt::UTC) << 45413.75;
}

void TstOleDate::days()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(double, days);
    QCOMPARE(oleAutomationDate(dateTime), days);
}

QTEST_GUILESS_MAIN(TstOleDate)
#include "tst_oledate.moc"
