#include "structurefigures.h"

#include "daytext.h"
#include "departureday.h"
#include "hoteldatabases.h"
#include "numericvalue.h"
#include "operatorerror.h"
#include "recordfields.h"
#include "roomrange.h"
#include "structureselection.h"
#include "textfilelines.h"
#include "trimspaces.h"

#include <QFile>
#include <QSet>

namespace movement {

namespace {

const QString kNumeroCamera = QStringLiteral("NumeroCamera");
const QString kScan = QStringLiteral("NumeroHotel = 1");

} // namespace

StructureFigures::StructureFigures(const MovementContext &context, QString roomFrom, QString roomTo)
    : m_context(context), m_roomFrom(std::move(roomFrom)), m_roomTo(std::move(roomTo)),
      m_structure(selectedStructure(context.selector))
{
}

qint64 StructureFigures::CamereDisponibili()
{
    if (!m_rooms)
        m_rooms = overrideFigure(QStringLiteral("CamDispSPOT.txt"));
    if (!m_rooms)
        m_rooms = countRooms(false);
    return *m_rooms;
}

qint64 StructureFigures::LettiDisponibili()
{
    if (!m_beds)
        m_beds = overrideFigure(QStringLiteral("LettiDispSPOT.txt"));
    if (!m_beds)
        m_beds = countRooms(true);
    return *m_beds;
}

std::optional<qint64> StructureFigures::overrideFigure(const QString &fileName) const
{
    const QString path = m_context.folder.absoluteFilePath(fileName);
    if (!QFile::exists(path))
        return std::nullopt;
    // Line n holds structure n's figure; line 1 serves when no structure is selected.
    const int line = m_structure.value_or(1);
    const QStringList lines = core::textFileLines(path);
    if (lines.size() < line)
        throw core::OperatorError(u"Il file «%1» ha %2 righe, ma ne servono almeno %3: la riga n porta il numero "
                                  u"della struttura n. Nessun file è stato scritto.",
                                  {fileName, QString::number(lines.size()), QString::number(line)});
    return core::wholeNumber(lines[line - 1]);
}

qint64 StructureFigures::countRooms(bool beds) const
{
    hoteldb::Database database = openDatabase(m_context.folder, kNumeriCamere);
    hoteldb::Recordset rooms = database.OpenRecordset(
        QStringLiteral("Select * From NumeriCamere Where NumeroHotel = 1 and ") + roomRangeCriteria(m_roomFrom, m_roomTo)
        + QStringLiteral(" and TipoCamera In (Select Sigla From TipiCamere In 'TipiCamere.mdb' "
                         "Where NumeroHotel = 1 and Tipologia = 'C')"));
    const RecordFields fields(rooms, kNumeriCamere, kNumeroCamera);
    double total = 0;
    forEachFound(rooms, kScan, [&] {
        // Each sum is a whole number, as the figure is.
        if (roomSelected(m_context, fields.text(kNumeroCamera)))
            total = core::roundHalfEven(total + (beds ? fields.number(QStringLiteral("PostiLetto")) : 1));
    });
    database.Close();
    return qint64(total);
}

StructureFigures::Night StructureFigures::night(QDate day) const
{
    // Arrived on the day or before it and leaving after it.
    const QString k = dayKey(day);
    const QString night = QStringLiteral("Select * From Scheda_Cliente Where NumeroHotel = 1 and ")
                          + roomRangeCriteria(m_roomFrom, m_roomTo)
                          + QStringLiteral(" and Instr(Lingua,'*')=0 and DataArrivo <= '") + k + QStringLiteral("' and ");
    const QString order = QStringLiteral(" Order by NumeroCamera,DataArrivo;");
    const QString current = night + departureCriteria(false, u">", k) + order;
    const QString archived = night + departureCriteria(true, u">", k) + order;

    QSet<QString> occupied;
    qint64 guests = 0;
    for (const auto &[fileName, query] : {std::pair{kSchedaCliente, current}, std::pair{kSchedaStorico, archived}}) {
        hoteldb::Database database = openDatabase(m_context.folder, fileName);
        hoteldb::Recordset cards = database.OpenRecordset(query);
        const RecordFields fields(cards, fileName, QStringLiteral("NumeroProgressivo"));
        forEachFound(cards, kScan, [&] {
            const QString room = core::trimSpaces(fields.text(kNumeroCamera));
            if (!room.isEmpty() && roomSelected(m_context, room)) {
                occupied.insert(room);
                ++guests;
            }
        });
        database.Close();
    }
    return {occupied.size(), guests};
}

} // namespace movement
