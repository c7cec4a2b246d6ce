#include "cachedtable.h"

namespace hoteldb {

CachedTable::CachedTable(std::shared_ptr<const TableData> data, QString databaseName)
    : m_data(std::move(data)), m_databaseName(std::move(databaseName))
{
}

int CachedTable::column(const QString &field) const
{
    if (const auto it = m_columns.constFind(field); it != m_columns.cend())
        return *it;
    const int index = m_data->columnIndex(field);
    if (index < 0) {
        // The hotel program's tables always have their fields: a name lost is a damaged definition.
        throw DbError(u"Nella tabella %1 del database %2 manca il campo %3: il database è danneggiato "
                      u"oppure non è un archivio del programma alberghiero.",
                      {m_data->name(), m_databaseName, field});
    }
    m_columns.insert(field, index);
    return index;
}

const EqualityIndex &CachedTable::index(int column, bool trimmed)
{
    auto &slot = m_indexes[column * 2 + (trimmed ? 1 : 0)];
    if (!slot)
        slot = std::make_shared<const EqualityIndex>(*m_data, column, trimmed);
    return *slot;
}

const SortedIndex &CachedTable::sortedIndex(int column)
{
    auto &slot = m_sortedIndexes[column];
    if (!slot)
        slot = std::make_shared<const SortedIndex>(index(column, false));
    return *slot;
}

std::shared_ptr<const RowList> CachedTable::cachedSelect(const QString &text) const
{
    return m_selects.value(text);
}

void CachedTable::storeSelect(const QString &text, std::shared_ptr<const RowList> rows)
{
    if (m_selects.contains(text))
        return;
    if (qsizetype(m_selectOrder.size()) >= kMaxCachedSelects) {
        m_selects.remove(m_selectOrder.front());
        m_selectOrder.pop_front();
    }
    m_selects.insert(text, std::move(rows));
    m_selectOrder.push_back(text);
}

} // namespace hoteldb
