#include "classicfile.h"

#include "daytext.h"
#include "guestcodes.h"
#include "linewriter.h"
#include "numericvalue.h"
#include "structurefigures.h"
#include "structureselection.h"
#include "trimspaces.h"

namespace movement {

namespace {

const QString kNumeroProgressivo = QStringLiteral("NumeroProgressivo");

// The generator writes every value as it comes; the card check is told the doubts.
const Doubts kWritten = [](const Doubt &) {};

class ClassicFile
{
public:
    ClassicFile(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
        : m_selection(context, args), m_w(out), m_figures(context, args.DallaCamera, args.AllaCamera), m_codes(context.folder) {}

    void write(const QString &code);
    const FileFigures &figures() const { return m_reported; }

private:
    void day(QDate day);
    void arrival(const ClassicCard &card);
    void departure(const ClassicCard &card);

    ClassicSelection m_selection;
    LineWriter m_w;
    StructureFigures m_figures;
    CodeLookup m_codes;
    FileFigures m_reported;
};

void ClassicFile::write(const QString &code)
{
    m_w.line(0, kXmlDeclaration);
    m_w.line(0, u"<movimenti>");
    m_w.element(1, u"codice", code);
    m_w.line(1, u"<prodotto>QUORVANE</prodotto>");
    m_selection.forEachDay([this](QDate d) { day(d); });
    m_w.line(0, u"</movimenti>");
}

void ClassicFile::day(QDate day)
{
    if (!m_reported.first.isValid())
        m_reported.first = day;
    m_reported.last = day;
    const StructureFigures::Night night = m_figures.night(day);
    m_reported.roomsOccupied = night.rooms;
    m_reported.guestsPresent = night.guests;
    m_w.line(3, u"<movimento>");
    m_w.element(6, u"data", dayKey(day));
    m_w.line(6, u"<struttura>");
    m_w.line(9, u"<apertura>SI</apertura>");
    m_w.element(9, u"camereoccupate", QString::number(night.rooms));
    m_w.element(9, u"cameredisponibili", QString::number(m_figures.CamereDisponibili()));
    m_w.element(9, u"lettidisponibili", QString::number(m_figures.LettiDisponibili()));
    m_w.line(6, u"</struttura>");
    m_w.line(6, u"<arrivi>");
    // A value refused names the card it comes from.
    m_selection.forEachArrival(day, [this](const ClassicCard &card) {
        m_w.writeFrom(card.fields, [&] { arrival(card); });
        ++m_reported.arrivals;
    });
    m_w.line(6, u"</arrivi>");
    m_w.line(6, u"<partenze>");
    m_selection.forEachDeparture(day, [this](const ClassicCard &card) {
        m_w.writeFrom(card.fields, [&] { departure(card); });
        ++m_reported.departures;
    });
    m_w.line(6, u"</partenze>");
    m_w.line(6, u"<prenotazioni></prenotazioni>");
    m_w.line(6, u"<rettifiche></rettifiche>");
    m_w.line(3, u"</movimento>");
}

void ClassicFile::arrival(const ClassicCard &card)
{
    m_w.line(9, u"<arrivo>");
    for (const CardValue &value : classicArrivalValues(card, m_codes, kWritten))
        m_w.element(12, value.element, value.text);
    m_w.line(12, u"<tipoturismo>Non specificato</tipoturismo>");
    m_w.line(12, u"<mezzotrasporto>Non specificato</mezzotrasporto>");
    m_w.line(12, u"<canaleprenotazione></canaleprenotazione>");
    m_w.line(12, u"<titolostudio>Non specificato</titolostudio>");
    m_w.line(12, u"<professione>Non specificato</professione>");
    m_w.line(9, u"</arrivo>");
}

void ClassicFile::departure(const ClassicCard &card)
{
    m_w.line(9, u"<partenza>");
    for (const CardValue &value : classicDepartureValues(card, kWritten))
        m_w.element(12, value.element, value.text);
    m_w.line(9, u"</partenza>");
}

} // namespace

ClassicStay classicStay(const RecordFields &card, bool archived)
{
    ClassicStay stay;
    stay.arrived = card.text(QStringLiteral("DataArrivo"));
    const double shift = archiveYearShift(stay.arrived);
    const double number = card.number(kNumeroProgressivo);
    // The archive's number already carries the year and is written as stored, a Null as empty
    // text: 0 would give several cards one identifier.
    stay.identifier = !archived                         ? core::numberText(shift + number)
                      : card.isNull(kNumeroProgressivo) ? QString()
                                                        : core::numberText(number);
    stay.head = namedHead(card);
    stay.type = guestType(card, true);
    // The head's number never carries the year part: the member's own arrival year is added.
    if (stay.head)
        stay.headIdentifier = core::numberText(shift + card.number(stay.head->number));
    return stay;
}

QList<CardValue> classicArrivalValues(const ClassicCard &classic, CodeLookup &codes, const Doubts &doubts)
{
    const RecordFields &card = classic.fields;
    const ClassicStay stay = classicStay(card, classic.archived);
    QList<CardValue> codeValues;
    for (const GuestCode &code : {cittadinanza(card, codes), statoResidenza(card, codes), luogoResidenza(card, codes),
                                  statoNascita(card, codes)})
        codeValues.append(codeValue(card, code, doubts));
    // The municipality of birth is looked up for the Italian-born only; the element stays empty otherwise.
    const std::optional<GuestCode> comune = comuneNascita(card, codes);
    const CardValue comuneValue = comune ? codeValue(card, *comune, doubts) : CardValue{u"comunenascita", QString()};
    const CardValue sex = sexValue(card, doubts);
    // The birth date goes in as its first eight characters, whatever they are.
    const QString birth = card.text(QStringLiteral("DataNascita"));
    checkBirthDate(card, u"datanascita",
                   core::trimSpaces(birth).isEmpty() ? QStringLiteral("nel file la data di nascita resta vuota")
                                                     : QStringLiteral("nel file va com'è, «%1»").arg(birth.left(8)),
                   doubts);
    return {{u"idswh", stay.identifier},
            {u"tipoalloggiato", stay.type.toString()},
            {u"idcapo", stay.headIdentifier},
            sex,
            codeValues[0],
            codeValues[1],
            codeValues[2],
            {u"datanascita", birth.left(8)},
            codeValues[3],
            comuneValue};
}

QList<CardValue> classicDepartureValues(const ClassicCard &card, const Doubts &doubts)
{
    const ClassicStay stay = classicStay(card.fields, card.archived);
    // The block writes the arrival date beside the departure that placed it here.
    checkDeparture(card.fields, QStringLiteral("DataPartenzaReale"), u"arrivo", doubts);
    return {{u"idswh", stay.identifier}, {u"tipoalloggiato", stay.type.toString()}, {u"arrivo", stay.arrived.left(8)}};
}

FileFigures CreaMovimentiClassico(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    const QString code = selectedStructureCode(context);
    ClassicFile file(context, args, out);
    file.write(code);
    return file.figures();
}

} // namespace movement
