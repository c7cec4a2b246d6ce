#include "departureday.h"

#include "hoteldatabases.h"

namespace movement {

namespace {

const QString kPlanned = QStringLiteral("DataPartenza");
const QString kReal = QStringLiteral("DataPartenzaReale");

} // namespace

QString departureField(const RecordFields &card, bool archived)
{
    return archived || card.text(QStringLiteral("Partito")) == u"S" ? kReal : kPlanned;
}

QString departureCriteria(bool archived, QStringView comparison, const QString &dayKey)
{
    const QString day = u' ' + comparison.toString() + QStringLiteral(" '") + sqlText(dayKey) + u'\'';
    if (archived)
        return u'(' + kReal + day + u')';
    return QStringLiteral("((Partito = 'N' and ") + kPlanned + day + QStringLiteral(") or (Partito = 'S' and ") + kReal
           + day + QStringLiteral("))");
}

} // namespace movement
