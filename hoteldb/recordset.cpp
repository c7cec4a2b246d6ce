#include "recordset.h"

#include "sqlparser.h"

#include <algorithm>

namespace hoteldb {

Recordset::Recordset(std::shared_ptr<CachedTable> table, std::shared_ptr<const RowList> rows, FileQueryContext context)
    : m_table(std::move(table)), m_rows(std::move(rows)), m_context(std::move(context))
{
    if (size() > 0) {
        m_position = 0;
        m_hasCurrent = true;
    }
}

void Recordset::FindFirst(const QString &criteria)
{
    find(criteria, 0);
}

void Recordset::FindNext(const QString &criteria)
{
    find(criteria, m_position + 1);
}

const Evaluator &Recordset::criteria(const QString &text)
{
    if (!m_criteria || text != m_criteriaText) {
        const QueryText query(text);
        const auto expression = SqlParser::parseCriteria(query);
        m_criteria = std::make_shared<const Evaluator>(*expression, *m_table, m_context, query);
        m_criteriaText = text;
    }
    return *m_criteria;
}

void Recordset::find(const QString &text, qsizetype from)
{
    const Evaluator &condition = criteria(text);
    qsizetype found = -1;
    RowList storage;
    std::optional<std::span<const qint32>> candidates;
    if (!m_rows)
        candidates = condition.candidates(storage);
    if (candidates) {
        // On a whole table a record's position is its row number, so the index answers directly.
        for (auto it = std::lower_bound(candidates->begin(), candidates->end(), from); it != candidates->end(); ++it) {
            if (condition.isTrue(*it)) {
                found = *it;
                break;
            }
        }
    } else {
        for (qsizetype position = from; position < size(); ++position) {
            if (condition.isTrue(rowAt(position))) {
                found = position;
                break;
            }
        }
    }
    m_noMatch = found < 0;
    m_hasCurrent = !m_noMatch;
    if (m_hasCurrent)
        m_position = found;
}

Value Recordset::Fields(const QString &name) const
{
    const int column = m_table->column(name);
    requireCurrent(QStringLiteral("il campo ") + name);
    return m_table->data().value(rowAt(m_position), column);
}

qsizetype Recordset::Bookmark() const
{
    requireCurrent(QStringLiteral("la posizione del record"));
    return rowAt(m_position);
}

void Recordset::requireCurrent(const QString &what) const
{
    if (!m_hasCurrent) {
        throw DbError(u"Non c'è un record corrente nella tabella %1 del database %2: " u"%3 non si può leggere.",
                      {m_table->data().name(), m_table->databaseName(), what});
    }
}

} // namespace hoteldb
