#pragma once

#include <QString>

namespace movement {

// The text without its leading and trailing spaces. Only the space character counts, as the
// hotel program pads with spaces; tabs and other blanks are kept.
QString trimSpaces(const QString &text);

} // namespace movement
