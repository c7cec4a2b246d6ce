#pragma once

#include <QString>
#include <QStringView>

namespace hoteldb {

// Jet's rules for text in queries: case is ignored (letters fold to lower case, accented ones
// too), trailing spaces count, and order is the order of the folded characters, so "10"
// sorts before "9". Folding maps one UTF-16 unit to one, so equal texts have equal lengths.
class TextCollation
{
public:
    static char16_t fold(char16_t c);
    static int compare(QStringView a, QStringView b);
    static bool equal(QStringView a, QStringView b);
    // The folded form, used as a key wherever texts are grouped by equality.
    static QString key(QStringView text);
    // 1-based position of needle in haystack ignoring case, 0 when absent.
    static qsizetype indexOf(QStringView haystack, QStringView needle);
};

} // namespace hoteldb
