#include "classicfile.h"

#include "codelookup.h"
#include "daytext.h"
#include "hoteldatabases.h"
#include "linewriter.h"
#include "numericvalue.h"
#include "parteluogo.h"
#include "recordfields.h"
#include "structurefigures.h"
#include "structureselection.h"

namespace movement {

namespace {

const QString kNumeroProgressivo = QStringLiteral("NumeroProgressivo");
const QString kDataArrivo = QStringLiteral("DataArrivo");
const QString kCodiceCapoFamiglia = QStringLiteral("CodiceCapoFamiglia");
const QString kCodiceCapoGruppo = QStringLiteral("CodiceCapoGruppo");
const QString kNumeroCamera = QStringLiteral("NumeroCamera");
// Every pass leaves out the cards whose Lingua holds "*".
const QString kCardCriteria = QStringLiteral("NumeroHotel = 1 and instr(Lingua,'*') = 0");

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

enum class Block { Arrival, Departure };

struct Pass
{
    QString fileName;
    bool archived; // the archive's NumeroProgressivo already holds the year part
    Block block;
};

class ClassicFile
{
public:
    ClassicFile(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
        : m_context(context), m_args(args), m_w(out), m_figures(context), m_codes(context.folder) {}

    void write(const QString &code, QDate first, QDate last);

private:
    void day(QDate day);
    void pass(const Pass &pass, const QString &key);
    void arrival(const RecordFields &card, bool archived);
    void departure(const RecordFields &card, bool archived);
    QString query(bool archived, Block block, const QString &key) const;

    const MovementContext &m_context;
    const GeneratorArgs &m_args;
    LineWriter m_w;
    StructureFigures m_figures;
    CodeLookup m_codes;
};

void ClassicFile::write(const QString &code, QDate first, QDate last)
{
    m_w.line(0, kXmlDeclaration);
    m_w.line(0, u"<movimenti>");
    m_w.element(1, u"codice", code);
    m_w.line(1, u"<prodotto>QUORVANE</prodotto>");
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        if (m_context.progress)
            m_context.progress(d);
        day(d);
    }
    m_w.line(0, u"</movimenti>");
}

void ClassicFile::day(QDate day)
{
    const QString key = dayKey(day);
    m_w.line(3, u"<movimento>");
    m_w.element(6, u"data", key);
    m_w.line(6, u"<struttura>");
    m_w.line(9, u"<apertura>SI</apertura>");
    m_w.element(9, u"camereoccupate", QString::number(m_figures.CamereOccupate(day)));
    m_w.element(9, u"cameredisponibili", QString::number(m_figures.CamereDisponibili()));
    m_w.element(9, u"lettidisponibili", QString::number(m_figures.LettiDisponibili()));
    m_w.line(6, u"</struttura>");
    m_w.line(6, u"<arrivi>");
    pass({kSchedaCliente, false, Block::Arrival}, key);
    pass({kSchedaStorico, true, Block::Arrival}, key);
    m_w.line(6, u"</arrivi>");
    m_w.line(6, u"<partenze>");
    pass({kSchedaCliente, false, Block::Departure}, key);
    pass({kSchedaStorico, true, Block::Departure}, key);
    m_w.line(6, u"</partenze>");
    m_w.line(6, u"<prenotazioni></prenotazioni>");
    m_w.line(6, u"<rettifiche></rettifiche>");
    m_w.line(3, u"</movimento>");
}

QString ClassicFile::query(bool archived, Block block, const QString &key) const
{
    // Only the archive's arrivals leave out the cards of guests without a name.
    return QStringLiteral("Select * From Scheda_Cliente Where NumeroHotel = 1 and ")
           + (archived && block == Block::Arrival ? QStringLiteral("NomeCliente <> '*** ***' and ") : QString())
           + QStringLiteral("NumeroCamera >= '") + sqlText(m_args.DallaCamera)
           + QStringLiteral("' and NumeroCamera <= '") + sqlText(m_args.AllaCamera)
           + (block == Block::Arrival ? QStringLiteral("' and DataArrivo = '") : QStringLiteral("' and DataPartenzaReale = '"))
           + key + QStringLiteral("' Order by NumeroProgressivo;");
}

void ClassicFile::pass(const Pass &pass, const QString &key)
{
    hoteldb::Database database = openDatabase(m_context.folder, pass.fileName);
    hoteldb::Recordset cards = database.OpenRecordset(query(pass.archived, pass.block, key));
    const RecordFields card(cards, pass.fileName, kNumeroProgressivo);
    forEachFound(cards, kCardCriteria, [&] {
        if (!roomSelected(m_context, card.text(kNumeroCamera)))
            return;
        m_w.writeFrom(card, [&] {
            if (pass.block == Block::Arrival)
                arrival(card, pass.archived);
            else
                departure(card, pass.archived);
        });
    });
    database.Close();
}

// What both blocks take from a card, read once.
struct Stay
{
    QString identifier;
    QString arrived;     // DataArrivo
    double shift = 0;    // the year part of the arrival, in place
    double family = 0;   // CodiceCapoFamiglia
    double group = 0;    // CodiceCapoGruppo
    QStringView type;    // the accommodation type
};

Stay stayOf(const RecordFields &card, bool archived)
{
    Stay stay;
    stay.arrived = card.text(kDataArrivo);
    stay.shift = yearPart(stay.arrived) * kYearShift;
    const double number = card.number(kNumeroProgressivo);
    // The archive's number already carries the year and is written as stored, a Null as empty
    // text: 0 would give several cards one identifier.
    stay.identifier = !archived                       ? numberText(stay.shift + number)
                      : card.isNull(kNumeroProgressivo) ? QString()
                                                        : numberText(number);
    stay.family = card.number(kCodiceCapoFamiglia);
    stay.group = card.number(kCodiceCapoGruppo);
    stay.type = card.text(QStringLiteral("CapoFamiglia")) == u"S"  ? u"17"
                : card.text(QStringLiteral("CapoGruppo")) == u"S" ? u"18"
                : stay.family > 0                                 ? u"19"
                : stay.group > 0                                  ? u"20"
                                                                  : u"16";
    return stay;
}

void ClassicFile::arrival(const RecordFields &card, bool archived)
{
    const Stay stay = stayOf(card, archived);
    m_w.line(9, u"<arrivo>");
    m_w.element(12, u"idswh", stay.identifier);
    m_w.element(12, u"tipoalloggiato", stay.type);
    // The head's number never carries the year part: the member's own arrival year is added.
    m_w.element(12, u"idcapo", stay.family > 0  ? numberText(stay.shift + stay.family)
                               : stay.group > 0 ? numberText(stay.shift + stay.group)
                                                : QString());
    m_w.line(12, card.text(QStringLiteral("Sesso")) == u"F" ? u"<sesso>F</sesso>" : u"<sesso>M</sesso>");
    m_w.element(12, u"cittadinanza", m_codes.CodiceDaSigla(card.text(QStringLiteral("Nazione"))));
    const QString stato = card.text(QStringLiteral("Stato"));
    m_w.element(12, u"statoresidenza", m_codes.CodiceDaSigla(stato));
    const QString residenza = card.text(QStringLiteral("Residenza"));
    m_w.element(12, u"luogoresidenza",
                stato == u"I" ? m_codes.CodiceComune(residenza) : m_codes.CodiceStato(residenza));
    m_w.element(12, u"datanascita", card.text(QStringLiteral("DataNascita")).left(8));

    const QString luogo = card.text(QStringLiteral("LuogoNascita"));
    m_w.element(12, u"statonascita", m_codes.CodiceDaSigla(ParteLuogo(luogo, 0)));
    m_w.element(12, u"comunenascita",
                ParteLuogo(luogo, 0) == u"I" ? m_codes.CodiceComune(ParteLuogo(luogo, 3)) : QString());
    m_w.line(12, u"<tipoturismo>Non specificato</tipoturismo>");
    m_w.line(12, u"<mezzotrasporto>Non specificato</mezzotrasporto>");
    m_w.line(12, u"<canaleprenotazione></canaleprenotazione>");
    m_w.line(12, u"<titolostudio>Non specificato</titolostudio>");
    m_w.line(12, u"<professione>Non specificato</professione>");
    m_w.line(9, u"</arrivo>");
}

void ClassicFile::departure(const RecordFields &card, bool archived)
{
    const Stay stay = stayOf(card, archived);
    m_w.line(9, u"<partenza>");
    m_w.element(12, u"idswh", stay.identifier);
    m_w.element(12, u"tipoalloggiato", stay.type);
    m_w.element(12, u"arrivo", stay.arrived.left(8));
    m_w.line(9, u"</partenza>");
}

} // namespace

void CreaMovimentiClassico(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    const QString code = selectedStructureCode(context);
    const auto [first, last] = checkedRange(args.DallaData, args.AllaData);
    ClassicFile(context, args, out).write(code, first, last);
}

} // namespace movement
