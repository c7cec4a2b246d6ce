#include "equalityindex.h"

#include "textcollation.h"

namespace hoteldb {

namespace {
const RowList kNoRows;
}

EqualityIndex::EqualityIndex(const TableData &table, int column, bool trimmed)
{
    const Value::Type type = table.columns()[column].type;
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        if (table.isNull(row, column))
            continue;
        if (type == Value::Type::Text) {
            QStringView text = table.textAt(row, column);
            if (trimmed)
                text = TextCollation::trimSpaces(text);
            m_texts[TextCollation::key(text)].push_back(qint32(row));
        } else if (type == Value::Type::Boolean) {
            m_numbers[table.booleanAt(row, column) ? -1 : 0].push_back(qint32(row));
        } else {
            m_numbers[table.integerAt(row, column)].push_back(qint32(row));
        }
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
