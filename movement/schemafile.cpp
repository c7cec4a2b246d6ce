#include "schemafile.h"

#include "codelookup.h"
#include "daytext.h"
#include "hoteldatabases.h"
#include "linewriter.h"
#include "numericvalue.h"
#include "recordfields.h"
#include "structurefigures.h"
#include "trimspaces.h"

#include <algorithm>

namespace movement {

namespace {

const QString kNumeroProgressivo = QStringLiteral("NumeroProgressivo");
const QString kDataArrivo = QStringLiteral("DataArrivo");
const QString kScan = QStringLiteral("NumeroHotel = 1");

struct Pass
{
    QString fileName;
    QString query;
    bool archived; // the archive's NumeroProgressivo carries the arrival year, taken off here
};

class SchemaFile
{
public:
    SchemaFile(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
        : m_context(context), m_args(args), m_w(out), m_figures(context), m_codes(context.folder) {}

    void write(QDate typed);

private:
    static bool anyGuest(const MovementContext &context, const Pass &pass);
    void guests(const Pass &pass);
    void arrival(const RecordFields &card, const Pass &pass, hoteldb::Recordset &members);
    void person(const RecordFields &card, bool archived, int indent);
    int age(const RecordFields &card) const;
    static double guestNumber(const RecordFields &card, bool archived);

    const MovementContext &m_context;
    const GeneratorArgs &m_args;
    LineWriter m_w;
    StructureFigures m_figures;
    CodeLookup m_codes;
};

void SchemaFile::write(QDate typed)
{
    const QString d = sqlText(dayKey(typed));
    const QString range = QStringLiteral("Select * From Scheda_Cliente Where NumeroHotel = 1 and NumeroCamera >= '")
                          + sqlText(m_args.DallaCamera) + QStringLiteral("' and NumeroCamera <= '")
                          + sqlText(m_args.AllaCamera) + QStringLiteral("' and DataArrivo < '") + d;
    const QString order = QStringLiteral(" Order by NumeroProgressivo;");
    const Pass passes[] = {
        {kSchedaCliente,
         range + QStringLiteral("' and ((Partito = 'N' and DataPartenza >= '") + d
             + QStringLiteral("') or (Partito = 'S' and DataPartenzaReale >= '") + d + QStringLiteral("'))") + order,
         false},
        {kSchedaStorico, range + QStringLiteral("' and DataPartenzaReale >= '") + d + u'\'' + order, true},
    };
    const QDate reported = typed.addDays(-1);
    const QString data = dashedDay(reported);

    m_w.line(0, kXmlDeclaration);
    m_w.line(0, u"<movimenti xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                u"xsi:noNamespaceSchemaLocation=\"movimentogiornaliero-0.5.xsd\" vendor=\"Quorvane\">");
    if (!anyGuest(m_context, passes[0]) && !anyGuest(m_context, passes[1])) {
        m_w.line(3, QStringLiteral("<movimento type=\"NM\" data=\"%1\"/>").arg(data));
    } else {
        m_w.line(3, QStringLiteral("<movimento type=\"MP\" data=\"%1\">").arg(data));
        m_w.line(6, u"<arrivi>");
        for (const Pass &pass : passes)
            guests(pass);
        m_w.line(6, u"</arrivi>");
        m_w.line(6, u"<datistruttura>");
        m_w.element(9, u"cameredisponibili", QString::number(m_figures.CamereDisponibili()));
        m_w.element(9, u"postilettodisponibili", QString::number(m_figures.LettiDisponibili()));
        // The rooms of the night the file reports, whose guests it lists.
        m_w.element(9, u"camereoccupate", QString::number(m_figures.CamereOccupate(reported)));
        m_w.line(6, u"</datistruttura>");
        m_w.line(3, u"</movimento>");
    }
    m_w.line(0, u"</movimenti>");
}

bool SchemaFile::anyGuest(const MovementContext &context, const Pass &pass)
{
    hoteldb::Database database = openDatabase(context.folder, pass.fileName);
    hoteldb::Recordset cards = database.OpenRecordset(pass.query);
    cards.FindFirst(kScan);
    const bool found = !cards.NoMatch();
    database.Close();
    return found;
}

void SchemaFile::guests(const Pass &pass)
{
    hoteldb::Database database = openDatabase(m_context.folder, pass.fileName);
    hoteldb::Recordset guests = database.OpenRecordset(pass.query);
    hoteldb::Recordset members = database.OpenRecordset(pass.query);
    const RecordFields card(guests, pass.fileName, kNumeroProgressivo);
    forEachFound(guests, kScan, [&] {
        const QString family = card.text(QStringLiteral("CapoFamiglia"));
        if (family == u"S" || family == u"U" || card.text(QStringLiteral("CapoGruppo")) == u"S")
            m_w.writeFrom(card, [&] { arrival(card, pass, members); });
    });
    database.Close();
}

void SchemaFile::arrival(const RecordFields &card, const Pass &pass, hoteldb::Recordset &members)
{
    const bool family = card.text(QStringLiteral("CapoFamiglia")) == u"S";
    const bool group = !family && card.text(QStringLiteral("CapoGruppo")) == u"S";

    m_w.line(9, u"<arrivo>");
    person(card, pass.archived, 12);
    const QString arrived = card.text(kDataArrivo);
    const QString departed = card.text(QStringLiteral("DataPartenzaReale"));
    const bool dayUse = !trimSpaces(departed).isEmpty() && departed == arrived;
    m_w.line(12, dayUse ? u"<dayuse>si</dayuse>" : u"<dayuse>no</dayuse>");
    m_w.element(12, u"tipologiaalloggiato", family ? u"17" : group ? u"18" : u"16");
    m_w.element(12, u"eta", QString::number(age(card)));

    if (family || group) {
        m_w.line(12, u"<componenti>");
        // A head without a number can be nobody's head: a comparison with Null is never true.
        if (!card.isNull(kNumeroProgressivo)) {
            const QString criteria = QStringLiteral("NumeroHotel = 1 and DataArrivo = '") + sqlText(arrived)
                                     + (family ? QStringLiteral("' and CodiceCapoFamiglia = ")
                                               : QStringLiteral("' and CodiceCapoGruppo = "))
                                     + numberText(guestNumber(card, pass.archived));
            const RecordFields member(members, pass.fileName, kNumeroProgressivo);
            forEachFound(members, criteria, [&] {
                m_w.writeFrom(member, [&] {
                    m_w.line(15, u"<componente>");
                    person(member, pass.archived, 18);
                    m_w.element(18, u"eta", QString::number(age(member)));
                    m_w.line(15, u"</componente>");
                });
            });
        }
        m_w.line(12, u"</componenti>");
    }
    m_w.line(9, u"</arrivo>");
}

// The lines an arrival and a member block share, from the guest's number to the bed.
void SchemaFile::person(const RecordFields &card, bool archived, int indent)
{
    // A Null number is empty text in either database, as the current card's text gives it.
    m_w.element(indent, u"codiceclientesr",
                archived && !card.isNull(kNumeroProgressivo) ? numberText(guestNumber(card, true))
                                                             : card.text(kNumeroProgressivo));
    m_w.line(indent, card.text(QStringLiteral("Sesso")) == u"F" ? u"<sesso>F</sesso>" : u"<sesso>M</sesso>");
    m_w.element(indent, u"cittadinanza", m_codes.CodiceDaSigla(card.text(QStringLiteral("Nazione"))));
    const QString stato = card.text(QStringLiteral("Stato"));
    if (stato == u"I")
        m_w.element(indent, u"comuneresidenza", m_codes.CodiceComune(card.text(QStringLiteral("Residenza"))));
    else
        m_w.element(indent, u"paeseresidenza", m_codes.CodiceDaSigla(stato));
    m_w.line(indent, u"<occupazionepostoletto>si</occupazionepostoletto>");
}

double SchemaFile::guestNumber(const RecordFields &card, bool archived)
{
    const double number = card.number(kNumeroProgressivo);
    return archived ? number - 1000000 * numericValue(card.text(kDataArrivo).mid(2, 2)) : number;
}

// Calendar-year boundaries between the birth and today: whether the birthday has come plays no part.
int SchemaFile::age(const RecordFields &card) const
{
    const QString field = QStringLiteral("DataNascita");
    const QString birth = card.text(field);
    const QString digits = birth.left(8);
    const bool allDigits = digits.size() == 8
                           && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const QDate date = allDigits ? QDate(digits.left(4).toInt(), digits.mid(4, 2).toInt(), digits.mid(6, 2).toInt())
                                 : QDate();
    if (!date.isValid())
        card.refuse(field, birth, QStringLiteral("una data di nascita nella forma AAAAMMGG"));
    return m_context.today.year() - date.year();
}

} // namespace

void CreaMovimentiSchema(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    const QDate typed = checkedDay(args.DallaData, kDallaData);
    SchemaFile(context, args, out).write(typed);
}

} // namespace movement
