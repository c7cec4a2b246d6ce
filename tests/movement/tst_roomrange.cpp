// A room range in order or reversed, as the hotel databases compare room numbers.

#include "movementerror.h"
#include "roomrange.h"

#include <QTest>

using namespace movement;

class TestRoomRange : public QObject
{
    Q_OBJECT

private slots:
    void reversedRanges_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("whole range") << QString() << u"ZZZZZZ"_qs << false;
        QTest::newRow("one room") << u"101"_qs << u"101"_qs << false;
        QTest::newRow("in order") << u"101"_qs << u"300"_qs << false;
        QTest::newRow("higher first") << u"300"_qs << u"101"_qs << true;
        // As text: "99" comes after "100", "100" before "99".
        QTest::newRow("99 to 100") << u"99"_qs << u"100"_qs << true;
        QTest::newRow("100 to 99") << u"100"_qs << u"99"_qs << false;
        // Case folded: "a" comes before "B" although its code is higher.
        QTest::newRow("a to B") << u"a"_qs << u"B"_qs << false;
        QTest::newRow("b to A") << u"b"_qs << u"A"_qs << true;
        QTest::newRow("equal but for case") << u"12b"_qs << u"12B"_qs << false;
        // The cleaned empty field is a space, which comes before any room.
        QTest::newRow("last room emptied") << u"101"_qs << u" "_qs << true;
    }
    void reversedRanges()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, reversed);
        const std::optional<QString> refusal = reversedRoomRange(from, to);
        QCOMPARE(refusal.has_value(), reversed);
        try {
            checkRoomRange(from, to);
            QVERIFY(!reversed);
        } catch (const MovementError &e) {
            QVERIFY(reversed);
            QCOMPARE(e.message(), *refusal);
        }
    }

    void messageNamesBothBounds()
    {
        QVERIFY(reversedRoomRange(u"99"_qs, u"100"_qs)
                    ->startsWith(u"«Dalla cam.» 99 viene dopo «Alla cam.» 100: le camere si confrontano come testo"));
        QVERIFY(reversedRoomRange(u"99"_qs, u"100"_qs, u"--dalla-camera", u"--alla-camera")
                    ->startsWith(u"«--dalla-camera» 99 viene dopo «--alla-camera» 100: "));
    }
};

QTEST_GUILESS_MAIN(TestRoomRange)
#include "tst_roomrange.moc"
