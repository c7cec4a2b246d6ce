#include "cardcheck.h"
#include "classicfile.h"
#include "dberror.h"
#include "hotelfixture.h"
#include "operatorerror.h"
#include "schemafile.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
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

// The file's elements that hold a doubtful value, as "name|element", read from the file itself:
// a code written as nine spaces, a birth date that is no date, an idcapo no arrival of the file
// carries, a departure's arrival date after its day; and the sex of a card that is neither M nor F.
QStringList doubtfulElements(const QByteArray &file, const QHash<QString, Card> &cards)
{
    static const QRegularExpression element(u"^\\s*<(\\w+)>(.*)</\\1>\\r?$"_qs);
    struct Block
    {
        QString kind;
        QString day;
        QHash<QString, QString> values;
    };
    QList<Block> blocks;
    QList<qsizetype> open;
    QString day;
    for (const QByteArray &bytes : file.split('\n')) {
        const QString line = QString::fromLatin1(bytes).trimmed();
        if (line == u"<arrivo>" || line == u"<partenza>" || line == u"<componente>") {
            open.append(blocks.size());
            blocks.append({line.mid(1, line.size() - 2), day, {}});
        } else if (line == u"</arrivo>" || line == u"</partenza>" || line == u"</componente>") {
            open.removeLast();
        } else if (const QRegularExpressionMatch m = element.match(line); m.hasMatch()) {
            if (open.isEmpty()) {
                if (m.captured(1) == u"data")
                    day = m.captured(2);
            } else {
                blocks[open.last()].values.insert(m.captured(1), m.captured(2));
            }
        }
    }
    QSet<QString> arrivals;
    for (const Block &b : blocks) {
        if (b.kind == u"arrivo")
            arrivals.insert(b.values.value(u"idswh"_qs));
    }
    const QString nineSpaces(9, u' ');
    QStringList doubtful;
    for (const Block &b : blocks) {
        const QString id = b.values.value(u"idswh"_qs, b.values.value(u"codiceclientesr"_qs));
        const Card card = cards.value(id);
        const QString name = card.NomeCliente.toString();
        for (auto it = b.values.cbegin(); it != b.values.cend(); ++it) {
            const QString &tag = it.key();
            const QString &text = it.value();
            const bool doubt =
                text == nineSpaces || (tag == u"datanascita" && !QDate::fromString(text, u"yyyyMMdd"_qs).isValid())
                || (tag == u"sesso" && card.Sesso.toString() != u"M" && card.Sesso.toString() != u"F")
                || (tag == u"idcapo" && !text.isEmpty() && !arrivals.contains(text))
                || (tag == u"arrivo" && text > b.day);
            if (doubt)
                doubtful << name + u'|' + tag;
        }
    }
    doubtful.sort();
    return doubtful;
}

// A hotel of forty guests on both sides of the 7th and 8th of December 2026, each card's fields
// drawn from values the files write as they are and values they write doubtfully. The start-up
// file needs every age, so its birth dates are all dates; its members are never singles too.
Hotel doubtfulHotel(FileKind kind, quint32 seed, QHash<QString, Card> &cards)
{
    QRandomGenerator random(seed);
    const auto pick = [&random](const QStringList &options) { return options[random.bounded(int(options.size()))]; };
    Hotel hotel;
    hotel.rooms = {{1, "101", "DOP", 2}};
    QList<int> heads;
    for (int n = 1; n <= 40; ++n) {
        const bool archived = random.bounded(2);
        const qint64 number = archived ? 26000000 + n : n;
        const QString arrival = pick({u"20261206"_qs, u"20261207"_qs, u"20261208"_qs});
        const QString departure = pick({u"20261207"_qs, u"20261208"_qs, u"20261210"_qs});
        Card card = archived || random.bounded(3) == 0 ? departed("101", number, arrival, departure)
                                                      : present("101", number, arrival, departure);
        card.DataPartenza = pick({u"20261207"_qs, u"20261208"_qs, u"20261210"_qs}); // planned, not always kept
        card.NomeCliente = u"OSPITE %1"_qs.arg(n);
        card.Sesso = pick({u"M"_qs, u"F"_qs, u"f"_qs, u"X"_qs, QString()});
        card.Nazione = pick({u"I"_qs, u"D"_qs, u"XX"_qs, QString()});
        card.Stato = pick({u"I"_qs, u"D"_qs, u"Q"_qs});
        card.Residenza = pick({u"ROMA"_qs, u"MILNO"_qs, u"GERMANIA"_qs, QString()});
        card.LuogoNascita = pick({u"ROMA RM I"_qs, u"MILNO MI I"_qs, u"BERLINO D"_qs, u"PARIGI"_qs});
        card.DataNascita = kind == FileKind::Schema ? pick({u"19800101"_qs, u"20011231"_qs})
                                                   : pick({u"19800101"_qs, QString(), u" "_qs, u"1980-1-1"_qs});
        const int role = random.bounded(3);
        if (role == 0 || heads.isEmpty()) {
            const bool head = random.bounded(2);
            card.CapoFamiglia = head ? u"S"_qs : u"U"_qs;
            if (head)
                heads << n;
        } else {
            card.CodiceCapoFamiglia = role == 1 ? heads[random.bounded(int(heads.size()))] : 99;
        }
        (archived ? hotel.archived : hotel.current) << card;
        cards.insert(QString::number(n), card);
        cards.insert(QString::number(26000000 + n), card);
    }
    hotel.write();
    return hotel;
}

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

    // A member's finding, known only at the file's end, keeps its place even as the first one.
    void memberFindingFirst()
    {
        Hotel hotel;
        Card orphan = named(present("101", 1, "20261207", "20261209"), u"ORFANO"_qs);
        orphan.CodiceCapoGruppo = 99;
        Card citizen = named(present("101", 2, "20261208", "20261209"), u"CITTADINANZA"_qs);
        citizen.Nazione = "XX";
        hotel.current << orphan << citizen;
        hotel.write();
        QCOMPARE(lines(checkCards(FileKind::Classic, structures(hotel), kTwoDays)),
                 (QStringList{u"ORFANO|101|07/12/2026|attuale|CodiceCapoGruppo|99"_qs,
                              u"CITTADINANZA|101|08/12/2026|attuale|Nazione|XX"_qs}));
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

    // The check and the file cannot drift apart: whatever the cards hold, each element the file
    // writes with a doubtful value has exactly one finding, and each finding names an element
    // the file writes doubtfully, or none when the card as a whole is at fault.
    void everyDoubtfulElementHasItsOneFinding_data()
    {
        QTest::addColumn<int>("kindNumber");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QTest::addRow("daily file, hotel %u", seed) << int(FileKind::Classic) << seed;
            QTest::addRow("start-up file, hotel %u", seed) << int(FileKind::Schema) << seed;
        }
    }
    void everyDoubtfulElementHasItsOneFinding()
    {
        QFETCH(int, kindNumber);
        QFETCH(quint32, seed);
        const FileKind kind = FileKind(kindNumber);
        QHash<QString, Card> cards;
        const Hotel hotel = doubtfulHotel(kind, seed, cards);
        const GeneratorArgs args = kind == FileKind::Classic ? kTwoDays
                                                             : GeneratorArgs{u"08/12/2026"_qs, {}, {}, u"ZZZZZZ"_qs};
        QStringList found;
        for (const CardFinding &f : checkCards(kind, hotel.context(), args)) {
            if (!f.element.isEmpty())
                found << f.name + u'|' + f.element;
        }
        found.sort();
        const QByteArray file = generated(kind == FileKind::Classic ? CreaMovimentiClassico : CreaMovimentiSchema,
                                          hotel.context(), args);
        QCOMPARE(found, doubtfulElements(file, cards));
        QVERIFY2(found.size() >= 3, "too few doubts for the hotel to test anything");
    }

    // Whatever the fields and the selector hold, the check refuses what the file refuses, with
    // the same message, and goes on where the file is written.
    void failuresAsTheFileWouldFail_data()
    {
        QTest::addColumn<QStringList>("fields"); // the four fields, then the selector
        QTest::addColumn<bool>("refused");       // by some kind of file
        QTest::newRow("sound") << QStringList{u"07/12/2026"_qs, u"08/12/2026"_qs, {}, u"ZZZZZZ"_qs, u"-"_qs} << false;
        QTest::newRow("first day left without Enter")
            << QStringList{u"7/12/2026"_qs, u"08/12/2026"_qs, {}, u"ZZZZZZ"_qs, u"-"_qs} << true;
        QTest::newRow("no last day") << QStringList{u"07/12/2026"_qs, {}, {}, u"ZZZZZZ"_qs, u"-"_qs} << true;
        QTest::newRow("last day first") << QStringList{u"08/12/2026"_qs, u"07/12/2026"_qs, {}, u"ZZZZZZ"_qs, u"-"_qs}
                                        << true;
        QTest::newRow("rooms reversed") << QStringList{u"07/12/2026"_qs, u"07/12/2026"_qs, u"99"_qs, u"100"_qs, u"-"_qs}
                                        << true;
        QTest::newRow("no structure") << QStringList{u"07/12/2026"_qs, u"07/12/2026"_qs, {}, u"ZZZZZZ"_qs, {}} << true;
        QTest::newRow("all at once") << QStringList{u"7/12/2026"_qs, {}, u"99"_qs, u"100"_qs, u"11"_qs} << true;
    }
    void failuresAsTheFileWouldFail()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, refused);
        Hotel hotel;
        hotel.write();
        MovementContext context = hotel.context();
        context.selector = fields[4];
        const GeneratorArgs args{fields[0], fields[1], fields[2], fields[3]};
        const auto failure = [](const std::function<void()> &run) {
            try {
                run();
            } catch (const core::OperatorError &e) {
                return e.message();
            }
            return QString();
        };
        bool anyRefused = false;
        for (FileKind kind : {FileKind::Classic, FileKind::Schema, FileKind::Closed}) {
            const QString file = failure([&] { createMovementFile(kind, context, args); });
            QCOMPARE(failure([&] { checkCards(kind, context, args); }), file);
            anyRefused = anyRefused || !file.isEmpty();
        }
        QCOMPARE(anyRefused, refused);
    }

    void missingDatabaseAsTheFileWouldFail()
    {
        Hotel hotel;
        hotel.write({u"SchedaStoricoClienti.mdb"_qs});
        expectError<hoteldb::DbError>([&] { checkCards(FileKind::Classic, hotel.context(), kTwoDays); },
                                      {u"SchedaStoricoClienti.mdb"_qs});
    }
};

QTEST_GUILESS_MAIN(TestCardCheck)
#include "tst_cardcheck.moc"
