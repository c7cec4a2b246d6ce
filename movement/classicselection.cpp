#include "classicselection.h"

#include "daytext.h"
#include "hoteldatabases.h"
#include "roomrange.h"
#include "structureselection.h"

#include <tuple>

namespace movement {

namespace {

// Every pass leaves out the cards whose Lingua holds "*".
const QString kCardCriteria = QStringLiteral("NumeroHotel = 1 and instr(Lingua,'*') = 0");

} // namespace

ClassicSelection::ClassicSelection(const MovementContext &context, const GeneratorArgs &args)
    : m_context(context), m_args(args), m_structure(selectedStructure(context.selector))
{
    std::tie(m_first, m_last) = checkedRange(args.DallaData, args.AllaData);
}

void ClassicSelection::forEachDay(const std::function<void(QDate)> &visit) const
{
    for (QDate d = m_first; d <= m_last; d = d.addDays(1)) {
        if (m_context.progress)
            m_context.progress(d);
        visit(d);
    }
}

void ClassicSelection::forEachArrival(QDate day, const Visit &visit, const Visit &outside) const
{
    pass(false, Block::Arrival, day, visit, outside);
    pass(true, Block::Arrival, day, visit, outside);
}

void ClassicSelection::forEachDeparture(QDate day, const Visit &visit, const Visit &outside) const
{
    pass(false, Block::Departure, day, visit, outside);
    pass(true, Block::Departure, day, visit, outside);
}

QString ClassicSelection::query(bool archived, Block block, const QString &key) const
{
    // Only the archive's arrivals leave out the cards of guests without a name.
    return QStringLiteral("Select * From Scheda_Cliente Where NumeroHotel = 1 and ")
           + (archived && block == Block::Arrival ? QStringLiteral("NomeCliente <> '*** ***' and ") : QString())
           + roomRangeCriteria(m_args.DallaCamera, m_args.AllaCamera)
           + (block == Block::Arrival ? QStringLiteral(" and DataArrivo = '") : QStringLiteral(" and DataPartenzaReale = '"))
           + key + QStringLiteral("' Order by NumeroProgressivo;");
}

void ClassicSelection::pass(bool archived, Block block, QDate day, const Visit &visit, const Visit &outside) const
{
    const QString &fileName = archived ? kSchedaStorico : kSchedaCliente;
    hoteldb::Database database = openDatabase(m_context.folder, fileName);
    hoteldb::Recordset cards = database.OpenRecordset(query(archived, block, dayKey(day)));
    const RecordFields fields(cards, fileName, QStringLiteral("NumeroProgressivo"));
    const ClassicCard card{fields, archived};
    forEachFound(cards, kCardCriteria, [&] {
        if (!m_structure || roomInList(m_context.structures.CamereStrutture[*m_structure - 1], fields.text(QStringLiteral("NumeroCamera"))))
            visit(card);
        else if (outside)
            outside(card);
    });
    database.Close();
}

} // namespace movement
