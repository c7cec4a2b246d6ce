#pragma once

#include "recordfields.h"

#include <QString>
#include <QStringView>

// Which departure ends a guest's stay, for the files, the counts and the card check alike: the
// real one (DataPartenzaReale) for an archived card or a guest who has left (Partito "S"),
// otherwise the planned one (DataPartenza).
namespace movement {

// The card's field that holds that departure.
QString departureField(const RecordFields &card, bool archived);

// The same as a query's criterion, between parentheses: that departure compared with the day
// key by `comparison` (">=", ">"). A current card neither "S" nor "N" in Partito meets none.
QString departureCriteria(bool archived, QStringView comparison, const QString &dayKey);

} // namespace movement
