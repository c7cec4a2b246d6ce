#include "textcollation.h"

#include <QChar>

#include <array>

namespace hoteldb {

namespace {
// One lookup per character instead of a Unicode property query in the inner loops.
const std::array<char16_t, 0x10000> &foldTable()
{
    static const auto table = [] {
        std::array<char16_t, 0x10000> t{};
        for (int c = 0; c < 0x10000; ++c) {
            const QChar ch{char16_t(c)};
            t[c] = ch.isSurrogate() ? char16_t(c) : ch.toLower().unicode();
        }
        return t;
    }();
    return table;
}
} // namespace

char16_t TextCollation::fold(char16_t c)
{
    return foldTable()[c];
}

int TextCollation::compare(QStringView a, QStringView b)
{
    const auto &table = foldTable();
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = table[a[i].unicode()];
        const char16_t y = table[b[i].unicode()];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool TextCollation::equal(QStringView a, QStringView b)
{
    return a.size() == b.size() && compare(a, b) == 0;
}

QString TextCollation::key(QStringView text)
{
    const auto &table = foldTable();
    QString folded(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(folded.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = table[text[i].unicode()];
    return folded;
}

qsizetype TextCollation::indexOf(QStringView haystack, QStringView needle)
{
    if (haystack.isEmpty())
        return 0;
    if (needle.isEmpty())
        return 1;
    for (qsizetype i = 0; i + needle.size() <= haystack.size(); ++i) {
        if (equal(haystack.sliced(i, needle.size()), needle))
            return i + 1;
    }
    return 0;
}

} // namespace hoteldb
