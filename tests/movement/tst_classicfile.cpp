#include "classicfile.h"
#include "dberror.h"
#include "hotelfixture.h"
#include "operatorerror.h"

#include <QBuffer>
#include <QTest>

using namespace movement;
using namespace hotelfixture;

namespace {

const QByteArray kNine(9, ' ');

QByteArray head(const QByteArray &code)
{
    return crlf("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<movimenti>\n"
                " <codice>" + code + "</codice>\n"
                " <prodotto>QUORVANE</prodotto>\n");
}

const QByteArray kTail = "</movimenti>\r\n";

// The values of an arrival block, in the order of its lines.
struct Arrival
{
    QByteArray idswh, tipo, idcapo, sesso, cittadinanza, statoresidenza, luogoresidenza, datanascita,
        statonascita, comunenascita;
};

QByteArray arrival(const Arrival &a)
{
    return crlf("         <arrivo>\n"
                "            <idswh>" + a.idswh + "</idswh>\n"
                "            <tipoalloggiato>" + a.tipo + "</tipoalloggiato>\n"
                "            <idcapo>" + a.idcapo + "</idcapo>\n"
                "            <sesso>" + a.sesso + "</sesso>\n"
                "            <cittadinanza>" + a.cittadinanza + "</cittadinanza>\n"
                "            <statoresidenza>" + a.statoresidenza + "</statoresidenza>\n"
                "            <luogoresidenza>" + a.luogoresidenza + "</luogoresidenza>\n"
                "            <datanascita>" + a.datanascita + "</datanascita>\n"
                "            <statonascita>" + a.statonascita + "</statonascita>\n"
                "            <comunenascita>" + a.comunenascita + "</comunenascita>\n"
                "            <tipoturismo>Non specificato</tipoturismo>\n"
                "            <mezzotrasporto>Non specificato</mezzotrasporto>\n"
                "            <canaleprenotazione></canaleprenotazione>\n"
                "            <titolostudio>Non specificato</titolostudio>\n"
                "            <professione>Non specificato</professione>\n"
                "         </arrivo>\n");
}

QByteArray departure(const QByteArray &idswh, const QByteArray &tipo, const QByteArray &arrivo)
{
    return crlf("         <partenza>\n"
                "            <idswh>" + idswh + "</idswh>\n"
                "            <tipoalloggiato>" + tipo + "</tipoalloggiato>\n"
                "            <arrivo>" + arrivo + "</arrivo>\n"
                "         </partenza>\n");
}

QByteArray day(const QByteArray &key, int occupied, int rooms, int beds, const QByteArray &arrivals,
               const QByteArray &departures)
{
    return crlf("   <movimento>\n"
                "      <data>" + key + "</data>\n"
                "      <struttura>\n"
                "         <apertura>SI</apertura>\n"
                "         <camereoccupate>" + QByteArray::number(occupied) + "</camereoccupate>\n"
                "         <cameredisponibili>" + QByteArray::number(rooms) + "</cameredisponibili>\n"
                "         <lettidisponibili>" + QByteArray::number(beds) + "</lettidisponibili>\n"
                "      </struttura>\n"
                "      <arrivi>\n")
           + arrivals + crlf("      </arrivi>\n"
                             "      <partenze>\n")
           + departures + crlf("      </partenze>\n"
                               "      <prenotazioni></prenotazioni>\n"
                               "      <rettifiche></rettifiche>\n"
                               "   </movimento>\n");
}

QByteArray generate(const MovementContext &context, const GeneratorArgs &args)
{
    return generated(CreaMovimentiClassico, context, args);
}

// Codes of the fixture's code tables.
const QByteArray kItalia = "100000100", kGermania = "100000216", kFrancia = "100000215";
const QByteArray kRoma = "058091000";

// An Italian single guest born in Rome on the first of January 1980, as the fixture's cards are.
Arrival italian(const QByteArray &id)
{
    return {id, "16", "", "M", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma};
}

} // namespace

class TestClassicFile : public QObject
{
    Q_OBJECT

private:
    // A few days around the end of 2026, in rooms 101, 102, 103, 10 and 9.
    Hotel m_hotel;

private slots:
    void initTestCase()
    {
        m_hotel.rooms = {{1, "101", "DOP", 2}, {1, "102", "DOP", 2}, {1, "103", "SIN", 1}, {1, "10", "DOP", 2},
                         {1, "9", "SIN", 1},   {1, "201", "APP", 4}};
        auto &c = m_hotel.current;
        Card familyHead = present("101", 15, "20261230", "20270103");
        familyHead.CapoFamiglia = "S";
        familyHead.Sesso = "F";
        Card familyMember = present("101", 16, "20261230", "20270103");
        familyMember.CodiceCapoFamiglia = 15;
        familyMember.Nazione = "D";
        familyMember.Stato = "D";
        familyMember.Residenza = "GERMANIA";
        familyMember.DataNascita = "19900315";
        familyMember.LuogoNascita = "BERLINO D";
        Card groupHead = present("102", 3, "20270101", "20270105");
        groupHead.CapoGruppo = "S";
        groupHead.DataNascita = "19750620";
        groupHead.LuogoNascita = "TORINO TO I";
        Card groupMember = present("102", 4, "20270101", "20270105");
        groupMember.CodiceCapoGruppo = 3;
        groupMember.Residenza = "BARLETTA";
        groupMember.LuogoNascita = "SAN DONA DI PIAVE VE I";
        Card outOfRange = present("9", 7, "20261231", "20270102");
        Card hidden = present("10", 9, "20261231", "20270102");
        hidden.Lingua = "*";
        Card leaves = departed("103", 8, "20261228", "20261231");
        Card inBoth = departed("103", 20, "20261231", "20270102");
        Card foreign = present("10", 30, "20261231", "20270102");
        foreign.NomeCliente = "*** ***";
        foreign.Sesso = "f";
        foreign.Nazione = "F";
        foreign.Stato = "i";
        foreign.Residenza = "FRANCIA";
        foreign.LuogoNascita = "PARIGI";
        c << groupHead << groupMember << outOfRange << leaves << hidden << familyHead << familyMember << inBoth
          << foreign;

        Card archivedInBoth = inBoth;
        archivedInBoth.NumeroProgressivo = 26000020;
        Card archivedMember = departed("101", 26000050, "20261220", "20261230");
        archivedMember.CodiceCapoFamiglia = 49;
        Card nameless = departed("102", 26000051, "20261230", "20270101");
        nameless.NomeCliente = "*** ***";
        m_hotel.archived << archivedInBoth << archivedMember << nameless;
        m_hotel.write();
    }

    void daysAcrossTheYearEnd()
    {
        // Rooms 10 to 103 in text order, both bounds included: 101, 102, 103 and 10 (4 rooms, 7 beds), never 9.
        const QByteArray expected =
            head("ABC123")
            + day("20261230", 3, 4, 7,
                  arrival({"26000015", "17", "", "F", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma})
                      + arrival({"26000016", "19", "26000015", "M", kGermania, kGermania, "DE", "19900315", kGermania, ""}),
                  departure("26000050", "19", "20261220"))
            + day("20261231", 4, 4, 7,
                  arrival(italian("26000020"))
                      // Sex "f" is a man's; Stato "i" is not Italy, though the database finds its code.
                      + arrival({"26000030", "16", "", "M", kFrancia, kItalia, "FR", "19800101", kNine, ""})
                      + arrival(italian("26000020")),
                  departure("26000008", "16", "20261228"))
            + day("20270101", 4, 4, 7,
                  arrival({"27000003", "18", "", "M", kItalia, kItalia, kRoma, "19750620", kItalia, "001272000"})
                      + arrival({"27000004", "20", "27000003", "M", kItalia, kItalia, "072006000", "19800101", kItalia,
                                 "027033000"}),
                  departure("26000051", "16", "20261230"))
            + day("20270102", 2, 4, 7, "", departure("26000020", "16", "20261231") + departure("26000020", "16", "20261231"))
            + kTail;
        // The window is told each day before it is written, and the file stays the same.
        MovementContext context = m_hotel.context();
        QList<QDate> told;
        context.progress = [&](QDate day) { told << day; };
        const QByteArray file = generate(context, {"30/12/2026", "02/01/2027", "10", "103"});
        QCOMPARE(file.split('\n'), expected.split('\n')); // names the first line that differs
        QCOMPARE(file, expected);
        QCOMPARE(told, (QList<QDate>{{2026, 12, 30}, {2026, 12, 31}, {2027, 1, 1}, {2027, 1, 2}}));
    }

    void selectedStructure()
    {
        MovementContext context = m_hotel.context();
        context.selector = "2";
        context.structures.CodiciStrutture = {"CODE1", "CODE2"};
        context.structures.CamereStrutture = {",102,103,", ",101,"};
        const QByteArray expected =
            head("CODE2")
            + day("20261230", 1, 1, 2,
                  arrival({"26000015", "17", "", "F", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma})
                      + arrival({"26000016", "19", "26000015", "M", kGermania, kGermania, "DE", "19900315", kGermania, ""}),
                  departure("26000050", "19", "20261220"))
            + day("20261231", 1, 1, 2, "", "") + kTail;
        QCOMPARE(generate(context, {"30/12/2026", "31/12/2026", "", "ZZZZZZ"}), expected);
    }

    void identifiers()
    {
        Hotel hotel;
        Card old = departed("1", 15, "20091207", "20261207"); // arrived in 2009
        Card member = present("1", 16, "20261207", "20261210");
        member.CodiceCapoFamiglia = 15;
        Card markedHead = present("1", 17, "20261207", "20261210");
        markedHead.CapoGruppo = "S";
        markedHead.CodiceCapoGruppo = 15;
        // No digit where the year should be: the year part is 0.
        Card odd = departed("1", 18, "20X61201", "20261207");
        Card half = departed("1", 21, "206X1201", "20261207"); // one digit: the year part is 6
        hotel.current << old << member << markedHead << odd << half;
        Card archived = departed("1", 26000015, "20261207", "20261207");
        archived.CapoFamiglia = "S";
        Card archivedMember = departed("1", 26000019, "20261207", "20261207");
        archivedMember.CodiceCapoFamiglia = 15;
        hotel.archived << archived << archivedMember;
        hotel.write();

        const QByteArray file = generate(hotel.context(), {"07/12/2026", "07/12/2026", "", "ZZZZZZ"});
        const QByteArray expected =
            head("ABC123")
            + day("20261207", 1, 0, 0,
                  arrival({"26000016", "19", "26000015", "M", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma})
                      + arrival({"26000017", "18", "26000015", "M", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma})
                      + arrival({"26000015", "17", "", "M", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma})
                      + arrival({"26000019", "19", "26000015", "M", kItalia, kItalia, kRoma, "19800101", kItalia, kRoma}),
                  departure("9000015", "16", "20091207") + departure("18", "16", "20X61201")
                      + departure("6000021", "16", "206X1201")
                      + departure("26000015", "17", "20261207") + departure("26000019", "19", "20261207"))
            + kTail;
        QCOMPARE(file, expected);
    }

    void emptyFieldsReadAsEmptyText()
    {
        Hotel hotel;
        Card blank = present("1", 15, "20261207", "20261210");
        for (QVariant *field : {&blank.Sesso, &blank.Nazione, &blank.Stato, &blank.Residenza, &blank.DataNascita,
                                &blank.LuogoNascita, &blank.CapoFamiglia, &blank.CapoGruppo,
                                &blank.CodiceCapoFamiglia, &blank.CodiceCapoGruppo})
            *field = QVariant();
        Card noRoom = departed("1", 16, "20261201", "20261207");
        noRoom.NumeroCamera = QVariant(); // outside every room range
        Card noNumber = departed("1", 17, QString(), "20261207");
        noNumber.NumeroProgressivo = QVariant();
        noNumber.DataArrivo = QVariant();
        hotel.current << blank << noRoom << noNumber;
        // Archived cards without a number share no identifier: each is written as stored, empty.
        Card archivedNoNumber = departed("1", 0, "20261201", "20261207");
        archivedNoNumber.NumeroProgressivo = QVariant();
        hotel.archived << archivedNoNumber << archivedNoNumber;
        hotel.write();

        const QByteArray expected =
            head("ABC123")
            + day("20261207", 1, 0, 0, arrival({"26000015", "16", "", "M", kNine, kNine, kNine, "", kNine, ""}),
                  departure("0", "16", "") + departure("", "16", "20261201") + departure("", "16", "20261201"))
            + kTail;
        QCOMPARE(generate(hotel.context(), {"07/12/2026", "07/12/2026", "", "ZZZZZZ"}), expected);
    }

    void failuresWriteNothing()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        MovementContext context = m_hotel.context();
        context.selector = "11";
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, CreaMovimentiClassico(context, {"30/12/2026", "30/12/2026", "", "Z"}, buffer));
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, CreaMovimentiClassico(m_hotel.context(), {"30/12/2026", "", "", "Z"}, buffer));
        // A last day before the first would give a file without a single day.
        expectError<core::OperatorError>([&] { CreaMovimentiClassico(m_hotel.context(), {"31/12/2026", "30/12/2026", "", "Z"}, buffer); },
                                         {"«Alla data» (30/12/2026)"});
        QCOMPARE(buffer.data(), QByteArray());

        Hotel hotel;
        hotel.write({"SchedaStoricoClienti.mdb"});
        const auto run = [&] { CreaMovimentiClassico(hotel.context(), {"30/12/2026", "30/12/2026", "", "Z"}, buffer); };
        expectError<hoteldb::DbError>(run, {"SchedaStoricoClienti.mdb"});

        // An archive without the guest cards' table.
        jetwriter::Description other;
        other.tables = {{"Altro", {number("NumeroHotel")}, {{1}}}};
        jetwriter::writeDatabaseFile(other, hotel.path("SchedaStoricoClienti.mdb"));
        expectError<hoteldb::DbError>(run, {"Scheda_Cliente"});
    }

    void valueThatWouldChangeNamesTheCard()
    {
        Hotel hotel;
        Card guest = present("1", 15, "20261207", "20261210");
        guest.DataNascita = "1980\t101";
        hotel.current << guest;
        hotel.write();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        expectError<core::OperatorError>(
            [&] { CreaMovimentiClassico(hotel.context(), {"07/12/2026", "07/12/2026", "", "ZZZZZZ"}, buffer); },
            {"«datanascita»", "NumeroProgressivo 15", "«Scheda_Cliente.mdb»", "U+0009"});
    }

    void valuesAreEscapedUtf8()
    {
        Hotel hotel;
        hotel.codes[0] = {"ROMA", 3, QVariant(), "Cà&<1>"};
        Card guest = present("1", 15, "20261207", "20261210");
        guest.DataNascita = "1980&<>";
        hotel.current << guest;
        hotel.write();
        const QByteArray file = generate(hotel.context(), {"07/12/2026", "07/12/2026", "", "ZZZZZZ"});
        QVERIFY2(file.contains("<luogoresidenza>C\xC3\xA0&amp;&lt;1&gt;</luogoresidenza>\r\n"), file.constData());
        QVERIFY2(file.contains("<datanascita>1980&amp;&lt;&gt;</datanascita>\r\n"), file.constData());
    }
};

QTEST_GUILESS_MAIN(TestClassicFile)
#include "tst_classicfile.moc"
