#include "cardcheck.h"
#include "dberror.h"
#include "hotelfixture.h"
#include "movementerror.h"

#include <QTest>

using namespace movement;
using namespace hotelfixture;

namespace {

// The findings without their problems, one line each.
QStringList lines(const QList<CardFinding> &findings)
{
    QStringList out;
    for (const CardFinding &f : findings)
        out << QStringList{f.name, f.room, f.arrival, f.database, f.field, f.value}.join(u'|');
    return out;
}

Card named(Card card, const QString &name)
{
    card.NomeCliente = name;
    return card;
}

// Two structures, rooms 101 and 102 in the first, 103 in the second; room 201 in neither.
MovementContext structures(const Hotel &hotel, const QString &selector = u"1"_qs)
{
    MovementContext c = hotel.context();
    c.selector = selector;
    c.structures.NumeroStrutture = 2;
    c.structures.CodiciStrutture = {u"CODE1"_qs, u"CODE2"_qs};
    c.structures.CamereStrutture = {u",101,102,"_qs, u",103,"_qs};
    return c;
}

const GeneratorArgs kTwoDays{u"07/12/2026"_qs, u"08/12/2026"_qs, QString(), u"ZZZZZZ"_qs};

} // namespace

class TestCardCheck : public QObject
{
    Q_OBJECT

private slots:
    void dailyFile()
    {
        Hotel hotel;
        hotel.rooms = {{1, "101", "DOP", 2}};
        Card residence = named(present("101", 2, "20261207", "20261209"), u"COMUNE IGNOTO"_qs);
        residence.Residenza = "MILNO";
        Card country = named(present("101", 3, "20261207", "20261209"), u"STATO PER NOME"_qs);
        country.Stato = "D";
        country.Residenza = "GERMANIAA";
        // Written after the orphan below, whose finding is known only at the file's end yet keeps its place.
        Card citizen = named(present("101", 14, "20261208", "20261209"), u"CITTADINANZA"_qs);
        citizen.Nazione = "XX";
        Card born = named(present("101", 5, "20261207", "20261209"), u"NASCITA"_qs);
        born.LuogoNascita = "MILNO MI I";
        born.DataNascita = QVariant();
        born.Sesso = "f";
        Card abroad = named(present("101", 6, "20261207", "20261209"), u"ESTERO"_qs);
        abroad.LuogoNascita = "PARIGI";
        abroad.DataNascita = "1980-1-1";
        Card early = named(departed("102", 7, "20261207", "20261205"), u"PARTENZA"_qs);
        Card nowhere = named(present("201", 8, "20261207", "20261209"), u"FUORI"_qs);
        Card other = named(present("103", 9, "20261207", "20261209"), u"ALTRA STRUTTURA"_qs);
        other.Nazione = "XX"; // in the other structure's file, not in this one
        Card head = present("102", 10, "20261207", "20261209");
        head.CapoFamiglia = "S";
        Card member = present("102", 11, "20261208", "20261209");
        member.CodiceCapoFamiglia = 10; // its head arrived the day before, within the file
        Card orphan = named(present("102", 12, "20261208", "20261209"), u"ORFANO"_qs);
        orphan.CodiceCapoGruppo = 99;
        Card reserved = present("102", 13, "20261207", "20261209");
        reserved.Lingua = "*";
        reserved.Nazione = "XX";
        hotel.current << residence << country << citizen << born << abroad << early << nowhere << other << head
                      << member << orphan << reserved;
        Card archived = named(departed("101", 26000030, "20261201", "20261207"), u"ARCHIVIO"_qs);
        archived.Sesso = QVariant();
        Card archivedArrival = named(departed("101", 26000031, "20261207", "20261208"), u"ARCHIVIO"_qs);
        archivedArrival.Stato = "Q";
        hotel.archived << archived << archivedArrival;
        hotel.write();

        const QList<CardFinding> found = checkCards(FileKind::Classic, structures(hotel), kTwoDays);
        QCOMPARE(lines(found), (QStringList{
            u"COMUNE IGNOTO|101|07/12/2026|attuale|Residenza|MILNO"_qs,
            u"STATO PER NOME|101|07/12/2026|attuale|Residenza|GERMANIAA"_qs,
            u"NASCITA|101|07/12/2026|attuale|LuogoNascita|MILNO MI I"_qs,
            u"NASCITA|101|07/12/2026|attuale|Sesso|f"_qs,
            u"NASCITA|101|07/12/2026|attuale|DataNascita|"_qs,
            u"ESTERO|101|07/12/2026|attuale|LuogoNascita|PARIGI"_qs,
            u"ESTERO|101|07/12/2026|attuale|DataNascita|1980-1-1"_qs,
            u"PARTENZA|102|07/12/2026|attuale|DataPartenzaReale|20261205"_qs,
            u"FUORI|201|07/12/2026|attuale|NumeroCamera|201"_qs,
            u"ARCHIVIO|101|07/12/2026|archivio|Stato|Q"_qs,
            u"ARCHIVIO|101|07/12/2026|archivio|Residenza|ROMA"_qs,
            u"ORFANO|102|08/12/2026|attuale|CodiceCapoGruppo|99"_qs,
            u"CITTADINANZA|101|08/12/2026|attuale|Nazione|XX"_qs,
        })); // a departure writes no sex, so the archived card's is not doubtful
        const QStringList problems = [&] {
            QStringList p;
            for (const CardFinding &f : found)
                p << f.problem;
            return p;
        }();
        QCOMPARE(problems[0], u"«MILNO» non si trova tra i comuni della tabella dei codici «Comuni.mdb»: nel file il "
                              "comune di residenza va come nove spazi. Correggere il comune di residenza nella scheda "
                              "del programma alberghiero."_qs);
        QVERIFY(problems[1].startsWith(u"«GERMANIAA» non si trova tra gli stati delle tabelle dei codici"));
        QVERIFY(problems[2].startsWith(u"«MILNO» non si trova tra i comuni") && problems[2].contains(u"«TORINO TO I»"));
        QVERIFY(problems[3].startsWith(u"Il sesso «f» non è né M né F: nel file va come M."));
        QVERIFY(problems[4].startsWith(u"Manca la data di nascita: nel file la data di nascita resta vuota."));
        QVERIFY(problems[5].startsWith(u"«PARIGI» non si trova tra le sigle degli stati"));
        QVERIFY(problems[6].contains(u"nel file va com'è, «1980-1-1»"));
        QVERIFY(problems[7].startsWith(u"La partenza del 05/12/2026 è precedente all'arrivo del 07/12/2026"));
        QVERIFY(problems[8].contains(u"la scheda non va nel file di nessuna struttura"));
        QVERIFY(problems[11].startsWith(u"Il capogruppo di questo ospite (identificativo 26000099 nel file) non è tra gli arrivi"));
    }

    void startUpFile()
    {
        // The night from 07/12/2026 to 08/12/2026.
        Hotel hotel;
        hotel.rooms = {{1, "101", "DOP", 2}};
        Card citizen = named(present("101", 1, "20261206", "20261209"), u"CITTADINANZA"_qs);
        citizen.CapoFamiglia = "U";
        citizen.Nazione = "XX";
        Card country = named(present("101", 2, "20261206", "20261209"), u"PAESE"_qs);
        country.CapoFamiglia = "U";
        country.Stato = "Q";
        country.DataNascita = " ";
        Card head = named(present("102", 3, "20261206", "20261209"), u"CAPO"_qs);
        head.CapoGruppo = "S";
        Card member = named(present("102", 4, "20261206", "20261209"), u"COMPONENTE"_qs);
        member.CodiceCapoGruppo = 3;
        member.Residenza = "MILNO";
        Card late = named(present("102", 5, "20261207", "20261209"), u"ARRIVATO DOPO"_qs);
        late.CodiceCapoGruppo = 3; // the head arrived on another day: not its member in the file
        Card orphan = named(present("102", 6, "20261206", "20261209"), u"ORFANO"_qs);
        orphan.CodiceCapoFamiglia = 77;
        Card single = present("102", 7, "20261206", "20261209"); // neither "S" nor "U": left out, as designed
        single.Nazione = "XX";
        Card nowhere = named(present("201", 8, "20261206", "20261209"), u"FUORI"_qs);
        nowhere.CapoFamiglia = "U";
        hotel.current << citizen << country << head << member << late << orphan << single << nowhere;
        Card archived = named(departed("103", 26000050, "20261206", "20261208"), u"ARCHIVIO"_qs);
        archived.CapoFamiglia = "U";
        archived.Sesso = "X";
        hotel.archived << archived;
        hotel.write();

        const QList<CardFinding> found =
            checkCards(FileKind::Schema, structures(hotel, u"2"_qs), {u"08/12/2026"_qs, QString(), QString(), u"ZZZZZZ"_qs});
        QCOMPARE(lines(found), (QStringList{
            u"CITTADINANZA|101|06/12/2026|attuale|Nazione|XX"_qs,
            u"PAESE|101|06/12/2026|attuale|Stato|Q"_qs,
            u"PAESE|101|06/12/2026|attuale|DataNascita| "_qs,
            u"COMPONENTE|102|06/12/2026|attuale|Residenza|MILNO"_qs,
            u"FUORI|201|06/12/2026|attuale|NumeroCamera|201"_qs,
            u"ARRIVATO DOPO|102|07/12/2026|attuale|CodiceCapoGruppo|3"_qs,
            u"ORFANO|102|06/12/2026|attuale|CodiceCapoFamiglia|77"_qs,
            u"ARCHIVIO|103|06/12/2026|archivio|Sesso|X"_qs,
        }));
        QVERIFY(found[1].problem.contains(u"nel file il paese di residenza va come nove spazi"));
        QVERIFY(found[2].problem.startsWith(u"Manca la data di nascita: il file di avvio non si può scrivere"));
        QVERIFY(found[4].problem.contains(u"la camera non è contata tra quelle di nessuna struttura"));
        QVERIFY(found[5].problem.startsWith(u"Nel file di avvio l'ospite non compare: nessun capogruppo della "
                                            "notte con il numero 3"));
        QVERIFY(found[6].problem.endsWith(u"oppure la scheda del capofamiglia (CapoFamiglia «S»)."));

        // Without a structure list no room is doubtful.
        QCOMPARE(checkCards(FileKind::Schema, hotel.context(), {u"08/12/2026"_qs, QString(), QString(), u"ZZZZZZ"_qs})
                     .size(),
                 found.size() - 1);
    }

    void soundHotelGivesNothing()
    {
        Hotel hotel;
        Card head = present("101", 1, "20261207", "20261209");
        head.CapoFamiglia = "S";
        Card member = present("101", 2, "20261207", "20261209");
        member.CodiceCapoFamiglia = 1;
        member.Sesso = "F";
        Card foreign = present("102", 3, "20261207", "20261208");
        foreign.CapoFamiglia = "U";
        foreign.Nazione = "D";
        foreign.Stato = "D";
        foreign.Residenza = "GERMANIA";
        foreign.LuogoNascita = "BERLINO D";
        hotel.current << head << member << foreign;
        hotel.archived << departed("103", 26000004, "20261205", "20261207")
                       << departed("103", 26000005, "20261207", "20261207"); // a day's use
        hotel.write();
        for (FileKind kind : {FileKind::Classic, FileKind::Schema, FileKind::Closed})
            QCOMPARE(lines(checkCards(kind, hotel.context(), {u"08/12/2026"_qs, u"08/12/2026"_qs, QString(), u"ZZZZZZ"_qs})),
                     QStringList());
        QCOMPARE(lines(checkCards(FileKind::Classic, hotel.context(), kTwoDays)), QStringList());
    }

    void failuresAsTheFileWouldFail()
    {
        Hotel hotel;
        hotel.write({u"SchedaStoricoClienti.mdb"_qs});
        for (FileKind kind : {FileKind::Classic, FileKind::Schema, FileKind::Closed}) {
            expectError<MovementError>([&] { checkCards(kind, hotel.context(), {u"7/12/2026"_qs, {}, {}, {}}); },
                                       {u"«Dalla data»"_qs});
            MovementContext noStructure = hotel.context();
            noStructure.selector = QString();
            expectError<MovementError>([&] { checkCards(kind, noStructure, kTwoDays); }, {u"Nessuna struttura"_qs});
        }
        expectError<hoteldb::DbError>([&] { checkCards(FileKind::Classic, hotel.context(), kTwoDays); },
                                      {u"SchedaStoricoClienti.mdb"_qs});
    }
};

QTEST_GUILESS_MAIN(TestCardCheck)
#include "tst_cardcheck.moc"
