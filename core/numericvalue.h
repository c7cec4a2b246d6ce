#pragma once

#include <QString>
#include <QStringView>

namespace core {

// The number a piece of text starts with: leading blanks skipped, then an optional sign,
// digits and one decimal point. Text that does not start with a number reads as 0.
// Every number the tool reads from text (fields, selector, settings and override files) goes through here.
double numericValue(QStringView text);

// Nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

// numericValue rounded half to even; values beyond what a count could ever be are clamped,
// so callers only need their own range check.
qint64 wholeNumber(QStringView text);

// A number as the files write it: a whole number in plain decimal (no sign for positives, no
// leading zeros, no separators); a fraction, which no figure should have, with its decimals.
QString numberText(double value);

} // namespace core
