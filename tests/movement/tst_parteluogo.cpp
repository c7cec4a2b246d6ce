#include "parteluogo.h"

#include <QTest>

using namespace movement;

class TestParteLuogo : public QObject
{
    Q_OBJECT

private slots:
    void parts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("parts"); // parts 0 to 3
        QTest::newRow("municipality, province, country") << "TORINO TO I" << QStringList{"I", "TORINO TO", "TO", "TORINO"};
        QTest::newRow("municipality of several words")
            << "SAN DONA DI PIAVE VE I" << QStringList{"I", "SAN DONA DI PIAVE VE", "VE", "SAN DONA DI PIAVE"};
        QTest::newRow("one space") << "BERLINO D" << QStringList{"D", "BERLINO", "BERLINO", ""};
        QTest::newRow("surrounding spaces") << "  ROMA RM I  " << QStringList{"I", "ROMA RM", "RM", "ROMA"};
        // Every space separates: two in a row make an empty province.
        QTest::newRow("two spaces before the last word") << "ROMA  I" << QStringList{"I", "ROMA", "", "ROMA"};
        QTest::newRow("two spaces inside") << "SAN  MARCO RM I" << QStringList{"I", "SAN  MARCO RM", "RM", "SAN  MARCO"};
        QTest::newRow("no space") << "PARIGI" << QStringList{"PARIGI", "", "", ""};
        QTest::newRow("empty") << "" << QStringList{"", "", "", ""};
        QTest::newRow("spaces only") << "    " << QStringList{"", "", "", ""};
    }
    void parts()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, parts);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ParteLuogo(text, i), parts[i]);
    }

    void indexOutOfRange()
    {
        for (const QString &text : {u"TORINO TO I"_qs, u"PARIGI"_qs}) {
            QCOMPARE(ParteLuogo(text, -1), QString());
            QCOMPARE(ParteLuogo(text, 4), QString());
        }
    }
};

QTEST_APPLESS_MAIN(TestParteLuogo)
#include "tst_parteluogo.moc"
