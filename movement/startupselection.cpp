#include "startupselection.h"

#include "cardvalues.h"
#include "daytext.h"
#include "departureday.h"
#include "hoteldatabases.h"
#include "numericvalue.h"
#include "roomrange.h"

#include <QSet>

namespace movement {

namespace {

const QString kNumeroProgressivo = QStringLiteral("NumeroProgressivo");
const QString kScan = QStringLiteral("NumeroHotel = 1");

} // namespace

StartUpSelection::StartUpSelection(const MovementContext &context, const GeneratorArgs &args)
    : m_context(context), m_typed(checkedDay(args.DallaData, kDallaData))
{
    // Arrived before the typed day and not yet left on it.
    const QString d = dayKey(m_typed);
    const QString night = QStringLiteral("Select * From Scheda_Cliente Where NumeroHotel = 1 and ")
                          + roomRangeCriteria(args.DallaCamera, args.AllaCamera) + QStringLiteral(" and DataArrivo < '")
                          + sqlText(d) + QStringLiteral("' and ");
    const QString order = QStringLiteral(" Order by NumeroProgressivo;");
    m_passes[0] = {kSchedaCliente, night + departureCriteria(false, u">=", d) + order, false};
    m_passes[1] = {kSchedaStorico, night + departureCriteria(true, u">=", d) + order, true};
}

bool StartUpSelection::anyGuest() const
{
    return anyGuest(m_passes[0]) || anyGuest(m_passes[1]);
}

bool StartUpSelection::anyGuest(const Pass &pass) const
{
    hoteldb::Database database = openDatabase(m_context.folder, pass.fileName);
    hoteldb::Recordset cards = database.OpenRecordset(pass.query);
    cards.FindFirst(kScan);
    const bool found = !cards.NoMatch();
    database.Close();
    return found;
}

void StartUpSelection::forEachGuest(const Visitor &visitor) const
{
    for (const Pass &pass : m_passes)
        guests(pass, visitor);
}

void StartUpSelection::guests(const Pass &pass, const Visitor &visitor) const
{
    using Role = StartUpGuest::Role;
    hoteldb::Database database = openDatabase(m_context.folder, pass.fileName);
    hoteldb::Recordset guests = database.OpenRecordset(pass.query);
    hoteldb::Recordset members = database.OpenRecordset(pass.query);
    const RecordFields card(guests, pass.fileName, kNumeroProgressivo);
    const RecordFields member(members, pass.fileName, kNumeroProgressivo);
    QSet<qsizetype> written; // bookmarks, kept only when the left-out cards are wanted
    forEachFound(guests, kScan, [&] {
        const HeadKind *head = markedHead(card);
        const Role role = head                                  ? Role::Head
                          : card.text(kFamilyHead.mark) == u"U" ? Role::Single
                                                                : Role::LeftOut;
        if (role == Role::LeftOut)
            return;
        visitor.arrival({card, pass.archived, role});
        if (visitor.leftOut)
            written.insert(guests.Bookmark());
        // A head without a number can be nobody's head: a comparison with Null is never true.
        if (head && !card.isNull(kNumeroProgressivo)) {
            const QString criteria = QStringLiteral("NumeroHotel = 1 and DataArrivo = '")
                                     + sqlText(card.text(QStringLiteral("DataArrivo")))
                                     + QStringLiteral("' and ") + head->number + QStringLiteral(" = ")
                                     + core::numberText(guestNumber(card, pass.archived));
            forEachFound(members, criteria, [&] {
                visitor.member({member, pass.archived, Role::Member});
                if (visitor.leftOut)
                    written.insert(members.Bookmark());
            });
        }
        visitor.arrivalEnd({card, pass.archived, role});
    });
    if (visitor.leftOut) {
        forEachFound(guests, kScan, [&] {
            if (!written.contains(guests.Bookmark()))
                visitor.leftOut({card, pass.archived, Role::LeftOut});
        });
    }
    database.Close();
}

double StartUpSelection::guestNumber(const RecordFields &card, bool archived)
{
    const double number = card.number(kNumeroProgressivo);
    return archived ? number - archiveYearShift(card.text(QStringLiteral("DataArrivo"))) : number;
}

} // namespace movement
