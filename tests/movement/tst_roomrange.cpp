// A room range in order or reversed, as the hotel databases compare room numbers.

#include "cardcheck.h"
#include "movementfile.h"
#include "operatorerror.h"
#include "roomrange.h"

#include <QTemporaryDir>
#include <QTest>

using namespace movement;

class TestRoomRange : public QObject
{
    Q_OBJECT

private slots:
    // As the databases compare rooms: as text ("99" after "100"), case folded ("a" before "B").
    void reversedRanges()
    {
        QVERIFY(!reversedRoomRange(QString(), u"ZZZZZZ"_qs));
        QVERIFY(!reversedRoomRange(u"101"_qs, u"101"_qs));
        QVERIFY(!reversedRoomRange(u"a"_qs, u"B"_qs));
        QVERIFY(reversedRoomRange(u"99"_qs, u"100"_qs));
        QVERIFY(reversedRoomRange(u"b"_qs, u"A"_qs));
        QVERIFY(reversedRoomRange(u"101"_qs, u" "_qs)); // the cleaned empty field comes before any room
    }

    // Every file and the card check refuse it before reading anything.
    void everyFileRefusesIt()
    {
        QTemporaryDir hotel;
        MovementContext context;
        context.folder = QDir(hotel.path());
        context.PercorsoFile = u"DuzizUzazi.xml"_qs;
        context.selector = u"-"_qs;
        const GeneratorArgs args{u"07/12/2026"_qs, u"07/12/2026"_qs, u"99"_qs, u"100"_qs};
        for (FileKind kind : {FileKind::Classic, FileKind::Schema, FileKind::Closed}) {
            QVERIFY_THROWS_EXCEPTION(core::OperatorError, createMovementFile(kind, context, args));
            QVERIFY_THROWS_EXCEPTION(core::OperatorError, checkCards(kind, context, args));
        }
        QCOMPARE(QDir(hotel.path()).entryList(QDir::Files), QStringList());
        QVERIFY(reversedRoomRange(u"99"_qs, u"100"_qs)
                    ->startsWith(u"«Dalla cam.» 99 viene dopo «Alla cam.» 100: le camere si confrontano come testo"));
    }
};

QTEST_GUILESS_MAIN(TestRoomRange)
#include "tst_roomrange.moc"
