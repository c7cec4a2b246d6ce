#include "classicfile.h"

#include "classicselection.h"
#include "codelookup.h"
#include "daytext.h"
#include "guestcodes.h"
#include "linewriter.h"
#include "numericvalue.h"
#include "structurefigures.h"
#include "structureselection.h"

namespace movement {

namespace {

const QString kNumeroProgressivo = QStringLiteral("NumeroProgressivo");

// The guest number carries the arrival year this way, so a card keeps its number when archived.
constexpr double kYearShift = 1000000;

// The last two digits of the arrival year, characters 3 and 4 of DataArrivo; 0 when they do
// not begin with a digit.
double yearPart(const QString &dataArrivo)
{
    const QString digits = dataArrivo.mid(2, 2);
    const auto digit = [&](int i) { return i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9'; };
    if (!digit(0))
        return 0;
    return digit(1) ? digits.toInt() : digits.left(1).toInt();
}

class ClassicFile
{
public:
    ClassicFile(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
        : m_selection(context, args), m_w(out), m_figures(context), m_codes(context.folder) {}

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

void ClassicFile::arrival(const ClassicCard &classic)
{
    const RecordFields &card = classic.fields;
    const ClassicStay stay = classicStay(card, classic.archived);
    m_w.line(9, u"<arrivo>");
    m_w.element(12, u"idswh", stay.identifier);
    m_w.element(12, u"tipoalloggiato", stay.type);
    m_w.element(12, u"idcapo", stay.headIdentifier);
    m_w.line(12, card.text(QStringLiteral("Sesso")) == u"F" ? u"<sesso>F</sesso>" : u"<sesso>M</sesso>");
    for (const GuestCode &code : {cittadinanza(card, m_codes), statoResidenza(card, m_codes), luogoResidenza(card, m_codes)})
        m_w.element(12, code.element, code.code);
    m_w.element(12, u"datanascita", card.text(QStringLiteral("DataNascita")).left(8));
    const GuestCode stato = statoNascita(card, m_codes);
    m_w.element(12, stato.element, stato.code);
    const std::optional<GuestCode> comune = comuneNascita(card, m_codes);
    m_w.element(12, u"comunenascita", comune ? comune->code : QString());
    m_w.line(12, u"<tipoturismo>Non specificato</tipoturismo>");
    m_w.line(12, u"<mezzotrasporto>Non specificato</mezzotrasporto>");
    m_w.line(12, u"<canaleprenotazione></canaleprenotazione>");
    m_w.line(12, u"<titolostudio>Non specificato</titolostudio>");
    m_w.line(12, u"<professione>Non specificato</professione>");
    m_w.line(9, u"</arrivo>");
}

void ClassicFile::departure(const ClassicCard &card)
{
    const ClassicStay stay = classicStay(card.fields, card.archived);
    m_w.line(9, u"<partenza>");
    m_w.element(12, u"idswh", stay.identifier);
    m_w.element(12, u"tipoalloggiato", stay.type);
    m_w.element(12, u"arrivo", stay.arrived.left(8));
    m_w.line(9, u"</partenza>");
}

} // namespace

ClassicStay classicStay(const RecordFields &card, bool archived)
{
    ClassicStay stay;
    stay.arrived = card.text(QStringLiteral("DataArrivo"));
    const double shift = yearPart(stay.arrived) * kYearShift;
    const double number = card.number(kNumeroProgressivo);
    // The archive's number already carries the year and is written as stored, a Null as empty
    // text: 0 would give several cards one identifier.
    stay.identifier = !archived                         ? numberText(shift + number)
                      : card.isNull(kNumeroProgressivo) ? QString()
                                                        : numberText(number);
    const double family = card.number(QStringLiteral("CodiceCapoFamiglia"));
    const double group = card.number(QStringLiteral("CodiceCapoGruppo"));
    stay.type = card.text(QStringLiteral("CapoFamiglia")) == u"S"  ? u"17"
                : card.text(QStringLiteral("CapoGruppo")) == u"S" ? u"18"
                : family > 0                                      ? u"19"
                : group > 0                                       ? u"20"
                                                                  : u"16";
    // The head's number never carries the year part: the member's own arrival year is added.
    stay.head = family > 0 ? ClassicStay::Head::Family : group > 0 ? ClassicStay::Head::Group : ClassicStay::Head::None;
    if (stay.head != ClassicStay::Head::None)
        stay.headIdentifier = numberText(shift + (family > 0 ? family : group));
    return stay;
}

FileFigures CreaMovimentiClassico(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    const QString code = selectedStructureCode(context);
    ClassicFile file(context, args, out);
    file.write(code);
    return file.figures();
}

} // namespace movement
