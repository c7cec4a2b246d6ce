#include "hotelfixture.h"
#include "operatorerror.h"
#include "schemafile.h"

#include <QBuffer>
#include <QTest>

using namespace movement;
using namespace hotelfixture;

namespace {

const QByteArray kNine(9, ' ');
const QByteArray kItalia = "100000100", kGermania = "100000216", kRoma = "058091000";
const QDate kToday(2026, 12, 8);

const QByteArray kHead = crlf("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<movimenti xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                              "xsi:noNamespaceSchemaLocation=\"movimentogiornaliero-0.5.xsd\" vendor=\"Quorvane\">\n");

QByteArray day(const QByteArray &data, const QByteArray &arrivals, int rooms, int beds, int occupied)
{
    return crlf("   <movimento type=\"MP\" data=\"" + data + "\">\n"
                "      <arrivi>\n")
           + arrivals
           + crlf("      </arrivi>\n"
                  "      <datistruttura>\n"
                  "         <cameredisponibili>" + QByteArray::number(rooms) + "</cameredisponibili>\n"
                  "         <postilettodisponibili>" + QByteArray::number(beds) + "</postilettodisponibili>\n"
                  "         <camereoccupate>" + QByteArray::number(occupied) + "</camereoccupate>\n"
                  "      </datistruttura>\n"
                  "   </movimento>\n"
                  "</movimenti>\n");
}

// The lines of a guest, either arrival or member: the residence element is "comuneresidenza"
// for an Italian resident, "paeseresidenza" otherwise.
struct Guest
{
    QByteArray id, sesso = "M", cittadinanza = kItalia, residenza = "comuneresidenza", codice = kRoma, eta = "46";
};

QByteArray guestLines(const Guest &g, const QByteArray &indent)
{
    return indent + "<codiceclientesr>" + g.id + "</codiceclientesr>\n"
           + indent + "<sesso>" + g.sesso + "</sesso>\n"
           + indent + "<cittadinanza>" + g.cittadinanza + "</cittadinanza>\n"
           + indent + "<" + g.residenza + ">" + g.codice + "</" + g.residenza + ">\n"
           + indent + "<occupazionepostoletto>si</occupazionepostoletto>\n";
}

QByteArray member(const Guest &g)
{
    return crlf("               <componente>\n" + guestLines(g, QByteArray(18, ' '))
                + "                  <eta>" + g.eta + "</eta>\n"
                  "               </componente>\n");
}

// An arrival; members, when given (possibly none), are nested in "componenti".
QByteArray arrival(const Guest &g, const QByteArray &tipo, const QByteArray &dayuse = "no",
                   const std::optional<QByteArray> &members = std::nullopt)
{
    QByteArray block = crlf("         <arrivo>\n" + guestLines(g, QByteArray(12, ' '))
                            + "            <dayuse>" + dayuse + "</dayuse>\n"
                              "            <tipologiaalloggiato>" + tipo + "</tipologiaalloggiato>\n"
                              "            <eta>" + g.eta + "</eta>\n");
    if (members)
        block += crlf("            <componenti>\n") + *members + crlf("            </componenti>\n");
    return block + crlf("         </arrivo>\n");
}

QByteArray generate(const MovementContext &context, const GeneratorArgs &args)
{
    return generated(CreaMovimentiSchema, context, args);
}

Card head(Card card, const char *famiglia, const char *gruppo = "N")
{
    card.CapoFamiglia = famiglia;
    card.CapoGruppo = gruppo;
    return card;
}

} // namespace

class TestSchemaFile : public QObject
{
    Q_OBJECT

private:
    // The night from 06/12/2026 to 07/12/2026.
    Hotel m_hotel;

private slots:
    void initTestCase()
    {
        m_hotel.rooms = {{1, "101", "DOP", 2}, {1, "102", "DOP", 2}, {1, "103", "SIN", 1},
                         {1, "104", "DOP", 3}, {1, "10", "SIN", 1},  {1, "9", "DOP", 2}};
        Card familyHead = head(present("101", 10, "20261205", "20261209"), "S");
        familyHead.Sesso = "F";
        familyHead.DataNascita = "19801231";
        Card familyMember = present("101", 11, "20261205", "20261209");
        familyMember.CodiceCapoFamiglia = 10;
        familyMember.Nazione = "D";
        familyMember.Stato = "D";
        familyMember.DataNascita = "20150601";
        Card lateMember = present("101", 12, "20261206", "20261209"); // another arrival date
        lateMember.CodiceCapoFamiglia = 10;
        Card groupHead = head(present("102", 13, "20261206", "20261207"), "N", "S"); // leaves on the typed day
        Card groupMember = departed("102", 14, "20261206", "20261207"); // left on the typed day
        groupMember.DataPartenza = "20261208";
        groupMember.CodiceCapoGruppo = 13;
        Card own = head(present("103", 15, "20261205", "20261208"), "U");
        Card both = head(present("104", 16, "20261205", "20261208"), "S", "S");
        Card bothFamily = present("104", 17, "20261205", "20261208");
        bothFamily.CodiceCapoFamiglia = 16;
        Card bothGroup = present("104", 18, "20261205", "20261208");
        bothGroup.CodiceCapoGruppo = 16;
        Card arrivesOnTheDay = head(present("101", 19, "20261207", "20261209"), "S");
        Card single = present("106", 20, "20261205", "20261210");
        Card outOfRange = head(present("9", 21, "20261205", "20261210"), "U");
        Card sameDay = head(present("10", 22, "20261205", "20261208"), "U");
        sameDay.DataPartenzaReale = "20261205";
        m_hotel.current << familyHead << familyMember << lateMember << groupHead << groupMember << own << both
                        << bothFamily << bothGroup << arrivesOnTheDay << single << outOfRange << sameDay;

        Card archivedHead = head(departed("110", 26000123, "20261205", "20261207"), "S");
        Card archivedMember = departed("110", 26000124, "20261205", "20261208");
        archivedMember.CodiceCapoFamiglia = 123;
        Card archivedOther = departed("110", 26000125, "20261204", "20261207");
        archivedOther.CodiceCapoFamiglia = 123;
        Card lastYearHead = head(departed("111", 25000126, "20251230", "20261207"), "N", "S");
        Card lastYearMember = departed("111", 25000127, "20251230", "20261207");
        lastYearMember.CodiceCapoGruppo = 126;
        m_hotel.archived << archivedOther << archivedMember << archivedHead << lastYearMember << lastYearHead;
        m_hotel.write();
    }

    void familiesGroupsAndArchive()
    {
        const QByteArray arrivals =
            arrival({"10", "F"}, "17", "no",
                    member({"11", "M", kGermania, "paeseresidenza", kGermania, "11"}))
            + arrival({"13"}, "18", "no", member({"14"}))
            + arrival({"15"}, "16")
            // Head of family and of group: family members only.
            + arrival({"16"}, "17", "no", member({"17"}))
            + arrival({"22"}, "16", "si")
            // The archive after the current cards; its numbers lose the arrival year.
            + arrival({"126"}, "18", "no", member({"127"}))
            + arrival({"123"}, "17", "no", member({"124"}));
        // Rooms 101, 102, 103, 104 and 10 are available (9 is outside 10 to 111 in text order, both
        // bounds included);
        // occupied in the night reported: 101, 102, 103, 104, 106, 10, 110 and 111.
        const QByteArray expected = kHead + day("2026-12-06", arrivals, 5, 9, 8);
        const QByteArray file = generate(m_hotel.context(kToday), {"07/12/2026", "", "10", "111"});
        QCOMPARE(file.split('\n'), expected.split('\n')); // names the first line that differs
        QCOMPARE(file, expected);
    }

    void nobodyLodged()
    {
        const QByteArray expected = kHead + crlf("   <movimento type=\"NM\" data=\"2026-12-31\"/>\n"
                                                 "</movimenti>\n");
        QCOMPARE(generate(m_hotel.context(kToday), {"01/01/2027", "01/01/2027", "", "ZZZZZZ"}), expected);
        // The room range alone can empty the night.
        QCOMPARE(generate(m_hotel.context(kToday), {"07/12/2026", "", "2", "3"}),
                 kHead + crlf("   <movimento type=\"NM\" data=\"2026-12-06\"/>\n</movimenti>\n"));
    }

    void onlyMembersLodged()
    {
        Hotel hotel;
        Card member = present("5", 30, "20261205", "20261209");
        member.CodiceCapoFamiglia = 29;
        hotel.current << member;
        hotel.write();
        QCOMPARE(generate(hotel.context(kToday), {"07/12/2026", "", "", "ZZZZZZ"}), kHead + day("2026-12-06", "", 0, 0, 1));
    }

    void emptyFields()
    {
        Hotel hotel;
        Card blank = head(present("5", 30, "20261205", "20261209"), "U");
        for (QVariant *field : {&blank.Sesso, &blank.Nazione, &blank.Stato, &blank.Residenza, &blank.DataPartenzaReale})
            *field = QVariant();
        blank.DataArrivo = QString(); // as empty as the departure, yet no day use: the guest has not left
        Card nameless = head(present("5", 31, "20261205", "20261209"), "S");
        nameless.NumeroProgressivo = QVariant(); // nobody's head
        Card orphan = present("5", 32, "20261205", "20261209"); // would be the member of a head numbered 0
        hotel.current << blank << nameless << orphan;
        // The archive writes a Null number as empty text too, not the year's shift taken off 0.
        Card archivedNameless = head(departed("5", 0, "20261205", "20261209"), "U");
        archivedNameless.NumeroProgressivo = QVariant();
        hotel.archived << archivedNameless;
        hotel.write();
        // A Null number sorts first.
        const QByteArray arrivals = arrival({""}, "17", "no", QByteArray())
                                    + arrival({"30", "M", kNine, "paeseresidenza", kNine}, "16") + arrival({""}, "16");
        const QByteArray file = generate(hotel.context(kToday), {"07/12/2026", "", "", "ZZZZZZ"});
        QCOMPARE(file, kHead + day("2026-12-06", arrivals, 0, 0, 1));
    }

    void birthDateThatIsNoDate_data()
    {
        QTest::addColumn<bool>("ofMember");
        QTest::addColumn<QVariant>("birth");
        QTest::newRow("head") << false << QVariant("1980/1/1");
        QTest::newRow("head, empty") << false << QVariant();
        QTest::newRow("member") << true << QVariant("19800231");
    }
    void birthDateThatIsNoDate()
    {
        QFETCH(bool, ofMember);
        QFETCH(QVariant, birth);
        Hotel hotel;
        Card familyHead = head(present("5", 40, "20261205", "20261209"), "S");
        Card member = present("5", 41, "20261205", "20261209");
        member.CodiceCapoFamiglia = 40;
        (ofMember ? member : familyHead).DataNascita = birth;
        hotel.current << familyHead << member;
        hotel.write();
        expectError<core::OperatorError>([&] { generate(hotel.context(kToday), {"07/12/2026", "", "", "ZZZZZZ"}); },
                                         {"Scheda_Cliente.mdb", ofMember ? "41" : "40", "DataNascita"});
    }

    void selectorIsCheckedFirst()
    {
        MovementContext context = m_hotel.context(kToday);
        context.selector = "0";
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, CreaMovimentiSchema(context, {"01/01/2027", "", "", "Z"}, buffer));
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, CreaMovimentiSchema(m_hotel.context(), {"1/1/2027", "", "", "Z"}, buffer));
        QCOMPARE(buffer.data(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestSchemaFile)
#include "tst_schemafile.moc"
