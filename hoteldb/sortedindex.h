#pragma once

#include "equalityindex.h"
#include "expression.h"
#include "rowlist.h"

#include <QString>

#include <span>
#include <vector>

namespace hoteldb {

// The rows of a table in the order of one column's values (folded texts or whole numbers),
// so that a comparison of that column with a literal yields its rows as one slice without a
// scan. Built from the column's equality index; Null cells are left out, as no comparison
// with Null is true.
class SortedIndex
{
public:
    explicit SortedIndex(const EqualityIndex &groups);

    // The rows whose value v satisfies "v comparison literal"; in value order, not row order.
    std::span<const qint32> rows(Expression::Comparison comparison, const QString &foldedText) const;
    std::span<const qint32> rows(Expression::Comparison comparison, qint64 number) const;
    // Every row with a value, in value order: the slices above are parts of it.
    std::span<const qint32> all() const { return m_rows; }

private:
    std::span<const qint32> slice(Expression::Comparison comparison, qsizetype lower, qsizetype upper) const;

    std::vector<QString> m_texts;   // sorted distinct keys of a text column
    std::vector<qint64> m_numbers;  // or of a whole-number column
    std::vector<qsizetype> m_starts; // where each key's rows begin in m_rows, plus the end
    RowList m_rows;
};

} // namespace hoteldb
