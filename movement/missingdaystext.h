#pragma once

#include "daycoverage.h"
#include "filerecount.h"

#include <QDate>
#include <QList>
#include <QString>

namespace movement {

// A day as a sentence names it: "sabato 5 dicembre".
QString spokenDay(QDate day);

// The structures that lack a day's file, as the sentence names them after the day: "(struttura
// 2)", "(strutture 1 e 3)"; empty without a structure list.
QString structuresNote(const QList<int> &structures);

// The yellow strip's sentence for the days that lack a file, in date order: "Manca il file di
// domenica 6 dicembre", "Mancano i file di sabato 5 e domenica 6 dicembre"; from three days on
// the count of files and the days without their weekdays, so that it fits: "Mancano 3 file: 2, 4
// e 6 dicembre". A month is named once, after its last day in the list; the structures lacking a
// day follow it when others do not, "domenica 6 dicembre (struttura 2)"; each structure lacking
// a day counts for a file. Empty when none is missing.
QString missingDaysText(const QList<MissingDay> &days);

// The days a file reports, as a sentence names them: "di lunedì 7 dicembre", "dal 5 al 7
// dicembre", "dal 30 novembre al 2 dicembre".
QString fileDays(QDate first, QDate last);

// What a stale file lacks, in words: "1 arrivo in più, 2 partenze in meno".
QString figuresChange(const FileFigures &then, const FileFigures &now);

// The sentence for a file whose figures the cards no longer give: "Il file di lunedì 7 dicembre
// non corrisponde più alle schede: 1 arrivo in più", the structure after the days when there is
// a list.
QString staleFileText(const StaleFile &file);

} // namespace movement
