#include "sortedindex.h"

#include "textcollation.h"

#include <algorithm>

namespace hoteldb {

namespace {

template<typename Key, typename Less>
void build(const QHash<Key, RowList> &groups, std::vector<Key> &keys, std::vector<qsizetype> &starts, RowList &rows,
           Less less)
{
    keys.reserve(size_t(groups.size()));
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        keys.push_back(it.key());
    std::sort(keys.begin(), keys.end(), less);
    for (const Key &key : keys) {
        starts.push_back(qsizetype(rows.size()));
        const RowList &group = groups.value(key);
        rows.insert(rows.end(), group.begin(), group.end());
    }
    starts.push_back(qsizetype(rows.size()));
}

} // namespace

SortedIndex::SortedIndex(const EqualityIndex &groups)
{
    // A column's index holds texts or numbers, never both.
    if (!groups.textGroups().isEmpty()) {
        build(groups.textGroups(), m_texts, m_starts, m_rows,
              [](const QString &a, const QString &b) { return TextCollation::compare(a, b) < 0; });
    } else {
        build(groups.numberGroups(), m_numbers, m_starts, m_rows, std::less<qint64>());
    }
}

std::span<const qint32> SortedIndex::rows(Expression::Comparison comparison, const QString &foldedText) const
{
    const auto less = [](const QString &a, const QString &b) { return TextCollation::compare(a, b) < 0; };
    const auto lower = std::lower_bound(m_texts.begin(), m_texts.end(), foldedText, less);
    const auto upper = std::upper_bound(lower, m_texts.end(), foldedText, less);
    return slice(comparison, lower - m_texts.begin(), upper - m_texts.begin());
}

std::span<const qint32> SortedIndex::rows(Expression::Comparison comparison, qint64 number) const
{
    const auto lower = std::lower_bound(m_numbers.begin(), m_numbers.end(), number);
    const auto upper = std::upper_bound(lower, m_numbers.end(), number);
    return slice(comparison, lower - m_numbers.begin(), upper - m_numbers.begin());
}

// lower and upper delimit the keys equal to the literal.
std::span<const qint32> SortedIndex::slice(Expression::Comparison comparison, qsizetype lower, qsizetype upper) const
{
    if (m_starts.empty())
        return {};
    const qsizetype last = qsizetype(m_starts.size()) - 1;
    qsizetype from = 0;
    qsizetype to = last;
    switch (comparison) {
    case Expression::Comparison::Equal: from = lower; to = upper; break;
    case Expression::Comparison::Less: to = lower; break;
    case Expression::Comparison::LessEqual: to = upper; break;
    case Expression::Comparison::Greater: from = upper; break;
    case Expression::Comparison::GreaterEqual: from = lower; break;
    case Expression::Comparison::NotEqual: break; // two slices: the caller never asks
    }
    return std::span<const qint32>(m_rows).subspan(size_t(m_starts[from]), size_t(m_starts[to] - m_starts[from]));
}

} // namespace hoteldb
