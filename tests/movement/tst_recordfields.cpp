#include "dbengine.h"
#include "operatorerror.h"
#include "recordfields.h"

#include "jetwriter.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

using namespace movement;
using jetwriter::ColumnType;

class TestRecordFields : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // The record whose NumeroProgressivo is `number`, read through a recordset as the generators do.
    static void onRecord(const QString &path, int number, const std::function<void(const RecordFields &)> &check)
    {
        hoteldb::Database database = hoteldb::DBEngine::instance().OpenDatabase(path);
        hoteldb::Recordset cards = database.OpenRecordset("Scheda_Cliente");
        cards.FindFirst(QStringLiteral("NumeroProgressivo = %1").arg(number));
        QVERIFY(!cards.NoMatch());
        check(RecordFields(cards, "Scheda_Cliente.mdb", "NumeroProgressivo"));
    }

    static void expectRefusal(const std::function<void()> &read, const QStringList &parts)
    {
        try {
            read();
            QFAIL("the value was accepted");
        } catch (const core::OperatorError &e) {
            for (const QString &part : parts)
                QVERIFY2(e.message().contains(part), qPrintable(e.message()));
        }
    }

private slots:
    void initTestCase()
    {
        jetwriter::Description description;
        description.tables = {{"Scheda_Cliente",
                               {{"NumeroProgressivo", ColumnType::Long, 0}, {"Testo", ColumnType::Text, 20},
                                {"Intero", ColumnType::Long, 0}, {"Reale", ColumnType::Double, 0},
                                {"Flag", ColumnType::Boolean, 0}, {"Data", ColumnType::DateTime, 0}},
                               {{15, " 12 ", 7, 2.5, true, QDateTime(QDate(2026, 12, 7), QTime(0, 0))},
                                {16, "x", QVariant(), 3.0, false, QVariant()},
                                {17, QVariant(), -4, QVariant(), false, QVariant()}}}};
        jetwriter::writeDatabaseFile(description, m_dir.filePath("Scheda_Cliente.mdb"));
    }

    void textAndNumbers()
    {
        const QString path = m_dir.filePath("Scheda_Cliente.mdb");
        onRecord(path, 15, [](const RecordFields &card) {
            QCOMPARE(card.text("Testo"), u" 12 "_qs);
            QCOMPARE(card.number("Testo"), 12.0);
            QCOMPARE(card.text("Intero"), u"7"_qs);
            QCOMPARE(card.text("Reale"), u"2.5"_qs);
            QCOMPARE(card.number("Flag"), -1.0);
        });
        onRecord(path, 16, [](const RecordFields &card) {
            QCOMPARE(card.text("Reale"), u"3"_qs);
            QCOMPARE(card.number("Intero"), 0.0); // Null
            QCOMPARE(card.number("Flag"), 0.0);
        });
        onRecord(path, 17, [](const RecordFields &card) {
            QVERIFY(card.isNull("Testo"));
            QVERIFY(!card.isNull("Intero"));
            QCOMPARE(card.text("Testo"), QString());
            QCOMPARE(card.number("Intero"), -4.0);
        });
    }

    void valuesThatDoNotConvertNameTheRecord()
    {
        const QString path = m_dir.filePath("Scheda_Cliente.mdb");
        onRecord(path, 16, [](const RecordFields &card) {
            expectRefusal([&] { card.number("Testo"); }, {"Scheda_Cliente.mdb", "NumeroProgressivo 16", "«Testo»", "«x»"});
        });
        onRecord(path, 15, [](const RecordFields &card) {
            expectRefusal([&] { card.text("Data"); }, {"Scheda_Cliente.mdb", "NumeroProgressivo 15", "«Data»"});
            expectRefusal([&] { card.number("Data"); }, {"NumeroProgressivo 15", "«Data»"});
            expectRefusal([&] { card.refuse("Intero", "7", "una data"); }, {"«Intero»", "«7»", "una data"});
        });
    }
};

QTEST_GUILESS_MAIN(TestRecordFields)
#include "tst_recordfields.moc"
