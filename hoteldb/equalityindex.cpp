#include "equalityindex.h"

#include "textcollation.h"
#include "trimspaces.h"

#include <algorithm>
#include <iterator>

namespace hoteldb {

namespace {
const RowList kNoRows;
}

EqualityIndex::EqualityIndex(const TableData &table, int column, bool trimmed)
{
    const Value::Type type = table.columns()[column].type;
    if (type == Value::Type::Text) {
        // Grouped by the text as stored first, so that each distinct text is folded once: a
        // column holds far fewer distinct texts than rows.
        QHash<QStringView, RowList> stored;
        for (qsizetype row = 0; row < table.rowCount(); ++row) {
            if (table.isNull(row, column))
                continue;
            const QStringView text = table.textAt(row, column);
            stored[trimmed ? core::trimSpaces(text) : text].push_back(qint32(row));
        }
        for (auto it = stored.begin(); it != stored.end(); ++it) {
            RowList &group = m_texts[TextCollation::key(it.key())];
            if (group.empty()) {
                group = std::move(it.value());
            } else {
                // Texts that differ only in case or accents share a key; rows stay ascending.
                RowList merged;
                merged.reserve(group.size() + it.value().size());
                std::merge(group.begin(), group.end(), it.value().begin(), it.value().end(), std::back_inserter(merged));
                group = std::move(merged);
            }
        }
        return;
    }
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        if (table.isNull(row, column))
            continue;
        if (type == Value::Type::Boolean)
            m_numbers[table.booleanAt(row, column) ? -1 : 0].push_back(qint32(row));
        else
            m_numbers[table.integerAt(row, column)].push_back(qint32(row));
    }
}

const RowList &EqualityIndex::rows(const QString &foldedText) const
{
    const auto it = m_texts.constFind(foldedText);
    return it == m_texts.cend() ? kNoRows : *it;
}

const RowList &EqualityIndex::rows(qint64 number) const
{
    const auto it = m_numbers.constFind(number);
    return it == m_numbers.cend() ? kNoRows : *it;
}

} // namespace hoteldb
