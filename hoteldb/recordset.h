#pragma once

#include "cachedtable.h"
#include "evaluator.h"
#include "filequerycontext.h"
#include "rowlist.h"
#include "value.h"

#include <QString>

#include <memory>

namespace hoteldb {

// A read-only dynaset over a table or a SELECT, with its own current record. As in DAO, a new
// recordset stands on its first record; FindFirst and FindNext move to the first record (or the
// next after the current one) whose criterion is true, and when none is, NoMatch() is true and
// there is no current record until a later find succeeds.
class Recordset
{
public:
    void FindFirst(const QString &criteria);
    void FindNext(const QString &criteria);
    bool NoMatch() const { return m_noMatch; }
    // The named field of the current record.
    Value Fields(const QString &name) const;
    // The current record's row in its table: the same record has the same bookmark in every
    // recordset opened on the same table of the same database.
    qsizetype Bookmark() const;

private:
    friend class Database;
    Recordset(std::shared_ptr<CachedTable> table, std::shared_ptr<const RowList> rows, FileQueryContext context);

    qsizetype size() const { return m_rows ? qsizetype(m_rows->size()) : m_table->data().rowCount(); }
    qsizetype rowAt(qsizetype position) const { return m_rows ? (*m_rows)[position] : position; }
    void find(const QString &criteria, qsizetype from);
    void requireCurrent(const QString &what) const;
    const Evaluator &criteria(const QString &text);

    std::shared_ptr<CachedTable> m_table;
    std::shared_ptr<const RowList> m_rows; // null: the whole table in stored order
    FileQueryContext m_context;
    qsizetype m_position = -1;             // the current record, or the last one before a failed find
    bool m_hasCurrent = false;
    bool m_noMatch = false;
    QString m_criteriaText;                // the last criterion, kept bound for the FindNext that follows
    std::shared_ptr<const Evaluator> m_criteria;
};

} // namespace hoteldb
