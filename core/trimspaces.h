#pragma once

#include <QString>
#include <QStringView>

namespace core {

// The text without its leading and trailing spaces. Only the space character counts, as the
// hotel program pads with spaces; tabs and other blanks are kept.
QStringView trimSpaces(QStringView text);
QString trimSpaces(const QString &text);

} // namespace core
