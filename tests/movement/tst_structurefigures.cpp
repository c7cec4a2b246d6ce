#include "dberror.h"
#include "hotelfixture.h"
#include "operatorerror.h"
#include "structurefigures.h"

#include <QTest>

using namespace movement;
using namespace hotelfixture;

namespace {

const QDate kDay(2026, 12, 7);

// hotel's context with the room range and structure of the current data row.
MovementContext selectedRooms(const Hotel &hotel)
{
    QFETCH(QString, selector);
    MovementContext context = hotel.context();
    context.selector = selector;
    return context;
}

// The context's figures for the room range of the current data row.
StructureFigures rowFigures(const MovementContext &context)
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    return StructureFigures(context, from, to);
}

} // namespace

class TestStructureFigures : public QObject
{
    Q_OBJECT

private:
    Hotel m_rooms;     // rooms and types only
    Hotel m_occupancy; // guest cards around 07/12/2026

private slots:
    void initTestCase()
    {
        m_rooms.rooms = {
            {1, "1", "DOP", 2}, {1, "10", "dop", 3}, {1, "9", "DOP", 2}, {1, "100", "SIN", 1},
            {1, "15", "APP", 4},       // typology "A": not a hotel room
            {1, "2", QVariant(), 2},   // no type
            {2, "11", "DOP", 2},       // another hotel
            {1, " 12", "SIN", QVariant()}, // beds not filled in
        };
        m_rooms.write();

        // day k = 20261207
        auto &c = m_occupancy.current;
        c << present("101", 1, "20261205", "20261209") << present("101", 2, "20261205", "20261209")
          << present(" 101", 3, "20261206", "20261208")
          << present("102", 4, "20261207", "20261208")  // arrives on k
          << present("103", 5, "20261201", "20261207")  // still here, planned to leave on k
          << departed("104", 6, "20261203", "20261208") // left after k ...
          << departed("105", 7, "20261203", "20261207") // ... and on k
          << present("106", 8, "20261201", "20261220") << present("107", 9, "20261201", "20261220")
          << present("a1", 10, "20261206", "20261209") << present("A1", 11, "20261206", "20261209")
          << present("9", 12, "20261206", "20261209")
          << present("110", 16, "20261201", "20261220") << present("  ", 17, "20261201", "20261220");
        c[5].DataPartenza = "20261205"; // the planned departure no longer matters once left
        c[6].DataPartenza = "20261210";
        c[7].Lingua = "*";
        c[8].Lingua = QVariant();
        c[12].NumeroHotel = 2;
        m_occupancy.archived << departed("101", 26000013, "20261206", "20261208")
                             << departed("108", 26000014, "20261205", "20261208")
                             << departed("109", 26000015, "20261204", "20261207");
        m_occupancy.archived[2].Lingua = "A*B";
        m_occupancy.write();
    }

    void overrideFiles()
    {
        Hotel hotel; // no databases at all: the figures come from the files alone
        hotel.writeFile("CamDispSPOT.txt", "12\r\n30\r\n");
        hotel.writeFile("LettiDispSPOT.txt", "25 camere\r\n\r\n2.5\r\n3.5");
        MovementContext context = hotel.context();
        StructureFigures all(context, {}, u"ZZZZZZ"_qs);
        QCOMPARE(all.CamereDisponibili(), 12);
        QCOMPARE(all.LettiDisponibili(), 25);

        context.selector = "2";
        StructureFigures second(context, {}, u"ZZZZZZ"_qs);
        QCOMPARE(second.CamereDisponibili(), 30);
        QCOMPARE(second.LettiDisponibili(), 0);
        // The figure is the nearest whole number, halves to even; a last line without CR LF counts.
        context.selector = "3";
        QCOMPARE(StructureFigures(context, {}, u"ZZZZZZ"_qs).LettiDisponibili(), 2);
        context.selector = "4";
        QCOMPARE(StructureFigures(context, {}, u"ZZZZZZ"_qs).LettiDisponibili(), 4);
    }

    void overrideFileTooShort()
    {
        Hotel hotel;
        hotel.writeFile("CamDispSPOT.txt", "12\r\n30\r\n");
        hotel.writeFile("LettiDispSPOT.txt", "");
        MovementContext context = hotel.context();
        context.selector = "3";
        expectError<core::OperatorError>([&] { StructureFigures(context, {}, u"ZZZZZZ"_qs).CamereDisponibili(); }, {"«CamDispSPOT.txt»"});
        context.selector = "-";
        expectError<core::OperatorError>([&] { StructureFigures(context, {}, u"ZZZZZZ"_qs).LettiDisponibili(); }, {"«LettiDispSPOT.txt»"});
    }

    void onlyOneOverride()
    {
        m_rooms.writeFile("LettiDispSPOT.txt", "80\r\n");
        StructureFigures figures(m_rooms.context(), {}, u"ZZZZZZ"_qs);
        QCOMPARE(figures.LettiDisponibili(), 80);
        QCOMPARE(figures.CamereDisponibili(), 5);
        QVERIFY(QFile::remove(m_rooms.path("LettiDispSPOT.txt")));
    }

    void roomsAndBedsAvailable_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QString>("roomList");
        QTest::addColumn<qint64>("rooms");
        QTest::addColumn<qint64>("beds");
        // Hotel 1's rooms of typology "C" within the range; a room without beds adds none.
        QTest::newRow("every room") << "" << "ZZZZZZ" << "-" << "" << qint64(5) << qint64(8);
        // Room numbers compare as text: "9" and " 12" are outside 1 to 20, "100" inside.
        QTest::newRow("text order") << "1" << "20" << "-" << "" << qint64(3) << qint64(6);
        QTest::newRow("bounds included") << "10" << "100" << "-" << "" << qint64(2) << qint64(4);
        QTest::newRow("structure") << "" << "ZZZZZZ" << "2" << ",9,10,12," << qint64(3) << qint64(5);
        QTest::newRow("list without outer commas") << "" << "ZZZZZZ" << "2" << "9,10,1" << qint64(1) << qint64(3);
    }
    void roomsAndBedsAvailable()
    {
        QFETCH(QString, roomList);
        QFETCH(qint64, rooms);
        QFETCH(qint64, beds);
        MovementContext context = selectedRooms(m_rooms);
        context.structures.CamereStrutture[1] = roomList;
        StructureFigures figures = rowFigures(context);
        QCOMPARE(figures.CamereDisponibili(), rooms);
        QCOMPARE(figures.LettiDisponibili(), beds);
    }

    void noSixteenBitLimit()
    {
        Hotel hotel;
        for (int i = 1; i <= 40; ++i)
            hotel.rooms.append({1, QString::number(i), "DOP", 1000});
        hotel.write();
        StructureFigures figures(hotel.context(), {}, u"ZZZZZZ"_qs);
        QCOMPARE(figures.LettiDisponibili(), 40000);
        QCOMPARE(figures.CamereDisponibili(), 40);
    }

    void roomsOccupied_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<qint64>("occupied");
        // 101 (three current cards, one written " 101", and an archived one), 102 (arrives on
        // the day), 104 (left after the day), a1 and A1 (two rooms), 9, and the archive's 108.
        // Not 103 (planned to leave that day), 105 (left that day), 106 and 109 ("*" in Lingua),
        // 107 (Lingua empty), 110 (another hotel), nor a card without a room.
        QTest::newRow("every room") << kDay << "" << "ZZZZZZ" << "-" << qint64(7);
        // The day before: also 103 and 105, no 102 yet.
        QTest::newRow("day before") << kDay.addDays(-1) << "" << "ZZZZZZ" << "-" << qint64(8);
        QTest::newRow("text order") << kDay << "1" << "20" << "-" << qint64(4);
        QTest::newRow("bounds included") << kDay << "101" << "102" << "-" << qint64(2);
        QTest::newRow("structure") << kDay << "" << "ZZZZZZ" << "1" << qint64(4);
        QTest::newRow("nobody") << kDay.addDays(30) << "" << "ZZZZZZ" << "-" << qint64(0);
    }
    void roomsOccupied()
    {
        QFETCH(QDate, day);
        QFETCH(qint64, occupied);
        MovementContext context = selectedRooms(m_occupancy);
        context.structures.CamereStrutture[0] = ",101,102,A1,108,";
        QCOMPARE(rowFigures(context).CamereOccupate(day), occupied);
    }

    void quoteInTheRoomRange()
    {
        MovementContext context = m_occupancy.context();
        QCOMPARE(StructureFigures(context, "1'", "ZZZZZZ").CamereOccupate(kDay), 7);
        context = m_rooms.context();
        QCOMPARE(StructureFigures(context, "", "1'").CamereDisponibili(), 2);
    }

    void failures()
    {
        expectError<core::OperatorError>([&] {
            MovementContext context = m_rooms.context();
            context.selector = "11";
            StructureFigures figures(context, {}, u"ZZZZZZ"_qs);
        }, {"«11»"});

        Hotel hotel;
        hotel.rooms = {{1, "1", "DOP", 2}};
        hotel.write({"SchedaStoricoClienti.mdb", "TipiCamere.mdb"});
        StructureFigures figures(hotel.context(), {}, u"ZZZZZZ"_qs);
        expectError<hoteldb::DbError>([&] { figures.CamereDisponibili(); }, {"TipiCamere.mdb"});
        expectError<hoteldb::DbError>([&] { figures.CamereOccupate(kDay); }, {"SchedaStoricoClienti.mdb"});

        // A table without a field the count reads.
        hotel.roomTypes = {{1, "DOP", "C"}};
        hotel.write({"NumeriCamere.mdb"});
        jetwriter::Description description;
        description.tables = {{"NumeriCamere", {number("NumeroHotel"), text("NumeroCamera", 10), text("TipoCamera", 5)},
                               {{1, "1", "DOP"}}}};
        jetwriter::writeDatabaseFile(description, hotel.path("NumeriCamere.mdb"));
        QCOMPARE(StructureFigures(hotel.context(), {}, u"ZZZZZZ"_qs).CamereDisponibili(), 1);
        expectError<hoteldb::DbError>([&] { StructureFigures(hotel.context(), {}, u"ZZZZZZ"_qs).LettiDisponibili(); }, {"PostiLetto"});
    }
};

QTEST_GUILESS_MAIN(TestStructureFigures)
#include "tst_structurefigures.moc"
