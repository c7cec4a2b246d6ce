#pragma once

#include <QString>

// The cleaning and completing of the four entry fields, run when the operator presses Enter in
// one of them; a date is then checked by the tool's one rule for a typed day (daytext.h).
namespace app {

// Trimmed of spaces, upper case, apostrophes turned into acute accents (U+00B4) so that the
// text can never break a query; an empty result becomes a single space.
QString PulisciTesto(const QString &testo);

// "DDMMYY" and "DDMMYYYY" become "DD/MM/YYYY"; two-digit years below 35 are 20xx, the others 19xx.
// Texts of any other length come back unchanged; no character is checked here.
QString CompletaData(const QString &testo);

} // namespace app
