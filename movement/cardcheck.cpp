#include "cardcheck.h"

#include "classicfile.h"
#include "classicselection.h"
#include "codelookup.h"
#include "dbengine.h"
#include "daytext.h"
#include "departureday.h"
#include "schemafile.h"
#include "startupselection.h"
#include "structureselection.h"
#include "trimspaces.h"

#include <QSet>

namespace movement {

namespace {

const QString kNumeroCamera = QStringLiteral("NumeroCamera");
const QString kDataArrivo = QStringLiteral("DataArrivo");

// A stored date as the operator reads it, or as it stands when it is no date.
QString shownDay(const QString &stored)
{
    const QDate day = storedDay(stored);
    return day.isValid() ? dayText(day) : stored;
}

class CardCheck
{
public:
    CardCheck(const MovementContext &context, FileKind kind) : m_context(context), m_kind(kind), m_codes(context.folder) {}

    QList<CardFinding> classic(const GeneratorArgs &args);
    QList<CardFinding> startUp(const GeneratorArgs &args);

private:
    CardFinding finding(const RecordFields &card, bool archived, const Doubt &doubt) const;
    void add(const CardFinding &finding, qsizetype at = -1);
    Doubts doubts(const RecordFields &card, bool archived);
    void departure(const RecordFields &card, bool archived);
    void room(const RecordFields &card, bool archived);
    void leftOutMember(const RecordFields &card, bool archived);

    const MovementContext &m_context;
    FileKind m_kind;
    CodeLookup m_codes;
    QList<CardFinding> m_findings;
    QSet<QStringList> m_seen;
};

CardFinding CardCheck::finding(const RecordFields &card, bool archived, const Doubt &doubt) const
{
    return {card.text(QStringLiteral("NomeCliente")),
            card.text(kNumeroCamera),
            shownDay(card.text(kDataArrivo)),
            archived ? QStringLiteral("archivio") : QStringLiteral("attuale"),
            doubt.field,
            doubt.value,
            doubt.problem,
            doubt.element.toString()};
}

// A card met on several days or under several heads is listed once for each problem.
void CardCheck::add(const CardFinding &finding, qsizetype at)
{
    if (m_seen.contains(findingTexts(finding)))
        return;
    m_seen.insert(findingTexts(finding));
    m_findings.insert(at < 0 ? m_findings.size() : at, finding);
}

// The doubts the file's values for the card bring, as findings.
Doubts CardCheck::doubts(const RecordFields &card, bool archived)
{
    return [this, &card, archived](const Doubt &doubt) { add(finding(card, archived, doubt)); };
}

// A departure before the arrival, on a card whose arrival the file writes without the departure.
void CardCheck::departure(const RecordFields &card, bool archived)
{
    checkDeparture(card, departureField(card, archived), {}, doubts(card, archived));
}

void CardCheck::room(const RecordFields &card, bool archived)
{
    const QString number = card.text(kNumeroCamera);
    if (roomInAnyStructure(m_context, number))
        return;
    // The daily file keeps only the selected structure's rooms; the start-up file lists every
    // guest, and only the counts look at the structures.
    const QString effect = m_kind == FileKind::Classic
                               ? QStringLiteral("la scheda non va nel file di nessuna struttura")
                               : QStringLiteral("la camera non è contata tra quelle di nessuna struttura");
    add(finding(card, archived,
                {{}, kNumeroCamera, number,
                 QStringLiteral("La camera «%1» non è nell'elenco di nessuna struttura del file «VeluSetup.txt»: %2. "
                                "Aggiungerla all'elenco della sua struttura in «VeluSetup.txt» oppure correggere la "
                                "camera nella scheda del programma alberghiero.")
                     .arg(core::trimSpaces(number), effect)}));
}

QList<CardFinding> CardCheck::classic(const GeneratorArgs &args)
{
    const ClassicSelection selection(m_context, args);
    // A member's idcapo names its head's idswh. The portal can tie the two only when the head's
    // arrival has been sent, so the head is looked for among the arrivals of the whole file,
    // which are known only at its end; each finding then takes its place in the file's order.
    struct Member
    {
        QString head;
        qsizetype at;
        CardFinding finding;
    };
    QSet<QString> arrivals;
    QList<Member> members;
    const auto outside = [this](const ClassicCard &card) { room(card.fields, card.archived); };
    selection.forEachDay([&](QDate day) {
        selection.forEachArrival(
            day,
            [&](const ClassicCard &classic) {
                const RecordFields &card = classic.fields;
                const ClassicStay stay = classicStay(card, classic.archived);
                arrivals.insert(stay.identifier);
                classicArrivalValues(classic, m_codes, doubts(card, classic.archived));
                departure(card, classic.archived);
                if (!stay.head)
                    return;
                members.append({stay.headIdentifier, m_findings.size(),
                                finding(card, classic.archived,
                                        {u"idcapo", stay.head->number, card.text(stay.head->number),
                                         QStringLiteral("Il %1 di questo ospite (identificativo %2 nel file) non è tra "
                                                        "gli arrivi del file: se è arrivato prima di questo periodo il "
                                                        "dato è giusto, altrimenti correggere il codice del %1 nella "
                                                        "scheda del programma alberghiero.")
                                             .arg(stay.head->word, stay.headIdentifier)})});
            },
            outside);
        selection.forEachDeparture(
            day,
            [&](const ClassicCard &card) { classicDepartureValues(card, doubts(card.fields, card.archived)); },
            outside);
    });
    for (auto it = members.crbegin(); it != members.crend(); ++it) {
        if (!arrivals.contains(it->head))
            add(it->finding, it->at);
    }
    return m_findings;
}

QList<CardFinding> CardCheck::startUp(const GeneratorArgs &args)
{
    const StartUpSelection selection(m_context, args);
    const bool structures = selectedStructure(m_context.selector).has_value();
    const auto written = [&](const StartUpGuest &guest) {
        schemaPersonValues(guest, m_codes, doubts(guest.fields, guest.archived));
        schemaAge(guest.fields, m_context.today, doubts(guest.fields, guest.archived));
        departure(guest.fields, guest.archived);
        if (structures)
            room(guest.fields, guest.archived);
    };
    selection.forEachGuest({written, written, [](const StartUpGuest &) {},
                            [this](const StartUpGuest &guest) { leftOutMember(guest.fields, guest.archived); }});
    return m_findings;
}

// A member is written only under a head of the same night and database that arrived on the same
// day and is marked "S" for the member's kind of head. A card without a head's number that is
// neither "S" nor "U" is left out too, but as the hotel program keeps some single guests: that
// is no doubt about the card.
void CardCheck::leftOutMember(const RecordFields &card, bool archived)
{
    const HeadKind *head = namedHead(card);
    if (!head)
        return;
    const QString number = card.text(head->number);
    add(finding(card, archived,
                {{}, head->number, number,
                 QStringLiteral("Nel file di avvio l'ospite non compare: nessun %1 della notte con il numero %2 e "
                                "la stessa data di arrivo lo ha tra i suoi componenti. Correggere nel programma "
                                "alberghiero il codice del %1 di questa scheda, oppure la scheda del %1 (%3 «S»).")
                     .arg(head->word, number, head->mark)}));
}

} // namespace

QStringList findingCaptions()
{
    return {QStringLiteral("Nome"),  QStringLiteral("Camera"), QStringLiteral("Arrivo"),  QStringLiteral("Database"),
            QStringLiteral("Campo"), QStringLiteral("Valore"), QStringLiteral("Problema")};
}

QStringList findingTexts(const CardFinding &f)
{
    return {f.name, f.room, f.arrival, f.database, f.field, f.value, f.problem};
}

QList<CardFinding> checkCards(FileKind kind, const MovementContext &context, const GeneratorArgs &args)
{
    checkedFile(kind, context, args);
    const auto reading = hoteldb::DBEngine::instance().reading();
    CardCheck check(context, kind);
    switch (kind) {
    case FileKind::Classic: return check.classic(args);
    case FileKind::Schema: return check.startUp(args);
    case FileKind::Closed: break; // it reads no cards
    }
    return {};
}

} // namespace movement
