#pragma once

#include <QString>

// The cleaning, completing and checking of the four entry fields, run when the operator
// presses Enter in one of them.
namespace app {

// Trimmed of spaces, upper case, apostrophes turned into acute accents (U+00B4) so that the
// text can never break a query; an empty result becomes a single space.
QString PulisciTesto(const QString &testo);

// "DDMMYY" and "DDMMYYYY" become "DD/MM/YYYY"; two-digit years below 35 are 20xx, the others 19xx.
// Texts of any other length come back unchanged; no character is checked here.
QString CompletaData(const QString &testo);

// Whether the trimmed text is a date "DD/MM/YYYY" from the year 1900 on. The separators
// are not examined, so 01-02-2024 passes as typed.
bool ControllaData(const QString &data);

// Whether the first date is not later than the second (equal dates are in order).
// Both are read by position from their first ten characters.
bool ConfrontaDate(const QString &prima, const QString &seconda);

// Gregorian leap years: divisible by 4, except centuries not divisible by 400.
bool AnnoBisestile(int anno);

} // namespace app
