#include "roomrange.h"

#include "hoteldatabases.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "textcollation.h"

namespace movement {

QString roomRangeCriteria(const QString &from, const QString &to)
{
    return QStringLiteral("NumeroCamera >= '") + sqlText(from) + QStringLiteral("' and NumeroCamera <= '") + sqlText(to)
           + u'\'';
}

std::optional<QString> reversedRoomRange(const QString &from, const QString &to, QStringView fromName, QStringView toName)
{
    if (hoteldb::TextCollation::compare(from, to) <= 0)
        return std::nullopt;
    return core::operatorMessage(u"«%1» %2 viene dopo «%3» %4: le camere si confrontano come testo, carattere per "
                                    u"carattere, e nessuna camera sta fra le due. Correggere le camere.",
                                    {fromName, from, toName, to});
}

void checkRoomRange(const QString &dallaCamera, const QString &allaCamera)
{
    if (const std::optional<QString> reversed = reversedRoomRange(dallaCamera, allaCamera))
        throw core::OperatorError(*reversed);
}

} // namespace movement
