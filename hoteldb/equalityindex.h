#pragma once

#include "rowlist.h"
#include "tabledata.h"

#include <QHash>
#include <QString>

namespace hoteldb {

// The rows of a table grouped by the value of one column (optionally with its surrounding
// spaces removed, for Trim(field) = '...'), so that an equality finds its rows without a scan.
// Texts are grouped by their folded form, numbers by value; Null cells are left out, since an
// equality with Null is never true.
class EqualityIndex
{
public:
    EqualityIndex(const TableData &table, int column, bool trimmed);

    const RowList &rows(const QString &foldedText) const;
    const RowList &rows(qint64 number) const;

    const QHash<QString, RowList> &textGroups() const { return m_texts; }
    const QHash<qint64, RowList> &numberGroups() const { return m_numbers; }

private:
    QHash<QString, RowList> m_texts;
    QHash<qint64, RowList> m_numbers;
};

} // namespace hoteldb
