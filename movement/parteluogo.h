#pragma once

#include <QString>

namespace movement {

// One part of a place of birth written as words separated by single spaces: the municipality
// (one or more words), the province and the country, as in "TORINO TO I".
// Part 0 is the last word (the country), part 1 everything before it, part 2 the word before
// the last (the province), part 3 everything before that (the municipality). Every space
// separates, so two spaces in a row make an empty word. A text without spaces is all part 0;
// an empty text or an index outside 0 to 3 gives an empty text. Never fails.
QString ParteLuogo(const QString &text, int index);

} // namespace movement
