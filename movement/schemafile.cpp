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

class SchemaFile
{
public:
    SchemaFile(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
        : m_context(context), m_selection(context, args), m_w(out), m_figures(context), m_codes(context.folder) {}

    void write();
    const FileFigures &figures() const { return m_reported; }

private:
    void arrival(const StartUpGuest &guest);
    void member(const StartUpGuest &guest);
    void arrivalEnd(const StartUpGuest &guest);
    void person(const StartUpGuest &guest, int indent);
    int age(const RecordFields &card) const;
    void listed() { m_reported.guestsPresent = ++m_reported.arrivals; }

    const MovementContext &m_context;
    StartUpSelection m_selection;
    LineWriter m_w;
    StructureFigures m_figures;
    CodeLookup m_codes;
    FileFigures m_reported;
};

bool isHead(Role role)
{
    return role == Role::FamilyHead || role == Role::GroupHead;
}

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
        const bool dayUse = !trimSpaces(departed).isEmpty() && departed == card.text(QStringLiteral("DataArrivo"));
        m_w.line(12, dayUse ? u"<dayuse>si</dayuse>" : u"<dayuse>no</dayuse>");
        m_w.element(12, u"tipologiaalloggiato",
                    guest.role == Role::FamilyHead ? u"17" : guest.role == Role::GroupHead ? u"18" : u"16");
        m_w.element(12, u"eta", QString::number(age(card)));
        if (isHead(guest.role))
            m_w.line(12, u"<componenti>");
    });
    listed();
}

void SchemaFile::member(const StartUpGuest &guest)
{
    m_w.writeFrom(guest.fields, [&] {
        m_w.line(15, u"<componente>");
        person(guest, 18);
        m_w.element(18, u"eta", QString::number(age(guest.fields)));
        m_w.line(15, u"</componente>");
    });
    listed();
}

void SchemaFile::arrivalEnd(const StartUpGuest &guest)
{
    if (isHead(guest.role))
        m_w.line(12, u"</componenti>");
    m_w.line(9, u"</arrivo>");
}

// The lines an arrival and a member block share, from the guest's number to the bed.
void SchemaFile::person(const StartUpGuest &guest, int indent)
{
    const RecordFields &card = guest.fields;
    const QString number = QStringLiteral("NumeroProgressivo");
    // A Null number is empty text in either database, as the current card's text gives it.
    m_w.element(indent, u"codiceclientesr",
                guest.archived && !card.isNull(number) ? numberText(StartUpSelection::guestNumber(card, true))
                                                       : card.text(number));
    m_w.line(indent, card.text(QStringLiteral("Sesso")) == u"F" ? u"<sesso>F</sesso>" : u"<sesso>M</sesso>");
    for (const GuestCode &code : {cittadinanza(card, m_codes), residenza(card, m_codes)})
        m_w.element(indent, code.element, code.code);
    m_w.line(indent, u"<occupazionepostoletto>si</occupazionepostoletto>");
}

// Calendar-year boundaries between the birth and today: whether the birthday has come plays no part.
int SchemaFile::age(const RecordFields &card) const
{
    const QString field = QStringLiteral("DataNascita");
    const QString birth = card.text(field);
    const QDate date = storedDay(birth);
    if (!date.isValid())
        card.refuse(field, birth, QStringLiteral("una data di nascita nella forma AAAAMMGG"));
    return m_context.today.year() - date.year();
}

} // namespace

FileFigures CreaMovimentiSchema(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    SchemaFile file(context, args, out);
    file.write();
    return file.figures();
}

} // namespace movement
