#include "schemafile.h"

#include "codelookup.h"
#include "daytext.h"
#include "guestcodes.h"
#include "linewriter.h"
#include "numericvalue.h"
#include "recordfields.h"
#include "startupselection.h"
#include "structurefigures.h"
#include "trimspaces.h"

namespace movement {

namespace {

using Role = StartUpGuest::Role;

// A value the file cannot hold refuses the card; every other is written as it comes.
void refuseAge(const RecordFields &card, const Doubt &doubt)
{
    if (doubt.element == u"eta")
        card.refuse(doubt.field, doubt.value, QStringLiteral("una data di nascita nella forma AAAAMMGG"));
}

class SchemaFile
{
public:
    SchemaFile(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
        : m_context(context), m_selection(context, args), m_w(out), m_figures(context, args.DallaCamera, args.AllaCamera), m_codes(context.folder) {}

    void write();
    const FileFigures &figures() const { return m_reported; }

private:
    void arrival(const StartUpGuest &guest);
    void member(const StartUpGuest &guest);
    void arrivalEnd(const StartUpGuest &guest);
    void person(const StartUpGuest &guest, int indent);
    void age(const RecordFields &card, int indent);
    void listed() { m_reported.guestsPresent = ++m_reported.arrivals; }

    const MovementContext &m_context;
    StartUpSelection m_selection;
    LineWriter m_w;
    StructureFigures m_figures;
    CodeLookup m_codes;
    FileFigures m_reported;
};

void SchemaFile::write()
{
    const QDate reported = m_selection.reported();
    const QString data = dashedDay(reported);
    m_reported.first = reported;
    m_reported.last = reported;

    m_w.line(0, kXmlDeclaration);
    m_w.line(0, u"<movimenti xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                u"xsi:noNamespaceSchemaLocation=\"movimentogiornaliero-0.5.xsd\" vendor=\"Quorvane\">");
    if (!m_selection.anyGuest()) {
        m_w.line(3, QStringLiteral("<movimento type=\"NM\" data=\"%1\"/>").arg(data));
    } else {
        m_w.line(3, QStringLiteral("<movimento type=\"MP\" data=\"%1\">").arg(data));
        m_w.line(6, u"<arrivi>");
        m_selection.forEachGuest({[this](const StartUpGuest &g) { arrival(g); },
                                  [this](const StartUpGuest &g) { member(g); },
                                  [this](const StartUpGuest &g) { arrivalEnd(g); },
                                  {}});
        m_w.line(6, u"</arrivi>");
        m_w.line(6, u"<datistruttura>");
        m_w.element(9, u"cameredisponibili", QString::number(m_figures.CamereDisponibili()));
        m_w.element(9, u"postilettodisponibili", QString::number(m_figures.LettiDisponibili()));
        // The rooms of the night the file reports, whose guests it lists.
        m_reported.roomsOccupied = m_figures.CamereOccupate(reported);
        m_w.element(9, u"camereoccupate", QString::number(m_reported.roomsOccupied));
        m_w.line(6, u"</datistruttura>");
        m_w.line(3, u"</movimento>");
    }
    m_w.line(0, u"</movimenti>");
}

void SchemaFile::arrival(const StartUpGuest &guest)
{
    const RecordFields &card = guest.fields;
    m_w.writeFrom(card, [&] {
        m_w.line(9, u"<arrivo>");
        person(guest, 12);
        const QString departed = card.text(QStringLiteral("DataPartenzaReale"));
        const bool dayUse = !core::trimSpaces(departed).isEmpty() && departed == card.text(QStringLiteral("DataArrivo"));
        m_w.line(12, dayUse ? u"<dayuse>si</dayuse>" : u"<dayuse>no</dayuse>");
        m_w.element(12, u"tipologiaalloggiato", guestType(card, false));
        age(card, 12);
        if (guest.role == Role::Head)
            m_w.line(12, u"<componenti>");
    });
    listed();
}

void SchemaFile::member(const StartUpGuest &guest)
{
    m_w.writeFrom(guest.fields, [&] {
        m_w.line(15, u"<componente>");
        person(guest, 18);
        age(guest.fields, 18);
        m_w.line(15, u"</componente>");
    });
    listed();
}

void SchemaFile::arrivalEnd(const StartUpGuest &guest)
{
    if (guest.role == Role::Head)
        m_w.line(12, u"</componenti>");
    m_w.line(9, u"</arrivo>");
}

// The lines an arrival and a member block share, from the guest's number to the bed.
void SchemaFile::person(const StartUpGuest &guest, int indent)
{
    for (const CardValue &value : schemaPersonValues(guest, m_codes, [&](const Doubt &d) { refuseAge(guest.fields, d); }))
        m_w.element(indent, value.element, value.text);
    m_w.line(indent, u"<occupazionepostoletto>si</occupazionepostoletto>");
}

void SchemaFile::age(const RecordFields &card, int indent)
{
    const CardValue value = schemaAge(card, m_context.today, [&](const Doubt &d) { refuseAge(card, d); });
    m_w.element(indent, value.element, value.text);
}

} // namespace

QList<CardValue> schemaPersonValues(const StartUpGuest &guest, CodeLookup &codes, const Doubts &doubts)
{
    const RecordFields &card = guest.fields;
    const QString number = QStringLiteral("NumeroProgressivo");
    QList<CardValue> values;
    // A Null number is empty text in either database, as the current card's text gives it.
    values.append({u"codiceclientesr", guest.archived && !card.isNull(number)
                                            ? core::numberText(StartUpSelection::guestNumber(card, true))
                                            : card.text(number)});
    const CardValue citizenship = codeValue(card, cittadinanza(card, codes), doubts);
    const CardValue residence = codeValue(card, residenza(card, codes), doubts);
    values << sexValue(card, doubts) << citizenship << residence;
    return values;
}

CardValue schemaAge(const RecordFields &card, QDate today, const Doubts &doubts)
{
    if (!checkBirthDate(card, u"eta", QStringLiteral("il file di avvio non si può scrivere finché non è corretta"), doubts))
        return {u"eta", QStringLiteral("0")};
    return {u"eta", QString::number(today.year() - storedDay(card.text(QStringLiteral("DataNascita"))).year())};
}

FileFigures CreaMovimentiSchema(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    SchemaFile file(context, args, out);
    file.write();
    return file.figures();
}

} // namespace movement
