#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace movement {

// A day as a sentence names it: "sabato 5 dicembre".
QString spokenDay(QDate day);

// The yellow strip's sentence for the days no file covers, in date order: "Manca il file di
// domenica 6 dicembre", "Mancano i file di sabato 5 e domenica 6 dicembre"; from three days on
// the count and the days without their weekdays, so that it fits: "Mancano 3 file: 2, 4 e 6
// dicembre". A month is named once, after its last day in the list. Empty when none is missing.
QString missingDaysText(const QList<QDate> &days);

} // namespace movement
