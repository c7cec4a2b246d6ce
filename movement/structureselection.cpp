#include "structureselection.h"

#include "operatorerror.h"
#include "numericvalue.h"
#include "trimspaces.h"

#include <algorithm>

namespace movement {

void StructureList::take(const StructureList &read)
{
    NumeroStrutture = read.NumeroStrutture;
    for (int n = 1; n <= std::clamp(read.NumeroStrutture, 0, kMaxStructures); ++n) {
        CodiciStrutture[n - 1] = read.CodiciStrutture[n - 1];
        CamereStrutture[n - 1] = read.CamereStrutture[n - 1];
    }
}

std::optional<int> selectedStructure(const QString &selector)
{
    if (selector == u"-")
        return std::nullopt;
    if (core::trimSpaces(selector).isEmpty())
        throw core::OperatorError(QStringLiteral(
            "Nessuna struttura selezionata nella casella «Hotel»: controllare il file «VeluSetup.txt»."));
    const qint64 n = core::wholeNumber(selector);
    if (n < 1 || n > kMaxStructures)
        throw core::OperatorError(u"La struttura selezionata «%1» non è valida: deve essere un numero da 1 a %2.",
                                  {selector, QString::number(kMaxStructures)});
    return int(n);
}

QString selectedStructureCode(const MovementContext &context)
{
    const std::optional<int> n = selectedStructure(context.selector);
    return n ? context.structures.CodiciStrutture[*n - 1] : context.CodiceStruttura;
}

bool roomInList(const QString &roomList, const QString &room)
{
    return roomList.contains(QLatin1Char(',') + core::trimSpaces(room) + QLatin1Char(','), Qt::CaseSensitive);
}

bool roomSelected(const MovementContext &context, const QString &room)
{
    const std::optional<int> n = selectedStructure(context.selector);
    return !n || roomInList(context.structures.CamereStrutture[*n - 1], room);
}

bool roomInAnyStructure(const MovementContext &context, const QString &room)
{
    const int count = std::clamp(context.structures.NumeroStrutture, 0, kMaxStructures);
    return std::any_of(context.structures.CamereStrutture.begin(), context.structures.CamereStrutture.begin() + count,
                       [&](const QString &list) { return roomInList(list, room); });
}

} // namespace movement
