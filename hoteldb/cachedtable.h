#pragma once

#include "dberror.h"
#include "equalityindex.h"
#include "rowlist.h"
#include "sortedindex.h"
#include "tabledata.h"

#include <QHash>
#include <QString>

#include <deque>
#include <memory>

namespace hoteldb {

// A decoded table with what queries learn about it while the file stays unchanged: the
// equality indexes built on first use and the row lists of recent SELECT texts.
class CachedTable
{
public:
    CachedTable(std::shared_ptr<const TableData> data, QString databaseName);

    const TableData &data() const { return *m_data; }
    const QString &databaseName() const { return m_databaseName; }
    // The column of that name, or a DbError naming table, database and field.
    int column(const QString &field) const;

    const EqualityIndex &index(int column, bool trimmed);
    const SortedIndex &sortedIndex(int column);

    std::shared_ptr<const RowList> cachedSelect(const QString &text) const;
    void storeSelect(const QString &text, std::shared_ptr<const RowList> rows);

    static constexpr int kMaxCachedSelects = 64;

private:
    std::shared_ptr<const TableData> m_data;
    QString m_databaseName;
    mutable QHash<QString, int> m_columns; // field names as callers spell them, read for every value
    QHash<int, std::shared_ptr<const EqualityIndex>> m_indexes; // column * 2 + trimmed
    QHash<int, std::shared_ptr<const SortedIndex>> m_sortedIndexes;
    QHash<QString, std::shared_ptr<const RowList>> m_selects;
    std::deque<QString> m_selectOrder; // oldest first, to bound the cache
};

} // namespace hoteldb
