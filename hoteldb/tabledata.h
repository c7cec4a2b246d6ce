#pragma once

#include "value.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace hoteldb {

struct ColumnInfo
{
    QString name;
    Value::Type type = Value::Type::Text; // Integer, Real, Text, Boolean, DateTime or Binary

    bool operator==(const ColumnInfo &other) const = default;
};

// A table decoded once from its file and then shared read-only by every query on it.
// Columns are typed and stored compactly: one 8-byte slot per cell plus a null flag,
// texts in one arena shared by the whole table, so a large archive stays small in memory.
// Binary cells share the arena too, one byte to a character.
class TableData
{
public:
    TableData(QString name, QList<ColumnInfo> columns);

    const QString &name() const { return m_name; }
    const QList<ColumnInfo> &columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    // Field names compare without regard to case, as Jet does; -1 when there is none.
    int columnIndex(QStringView name) const;
    qsizetype rowCount() const { return m_rowCount; }

    bool isNull(qsizetype row, int column) const { return m_nulls[index(row, column)]; }
    qint64 integerAt(qsizetype row, int column) const { return qint64(slot(row, column)); }
    bool booleanAt(qsizetype row, int column) const { return slot(row, column) != 0; }
    double realAt(qsizetype row, int column) const; // Real and DateTime
    QStringView textAt(qsizetype row, int column) const;
    QByteArray binaryAt(qsizetype row, int column) const;
    Value value(qsizetype row, int column) const;

    // Building, one row at a time in the table's stored order: appendRow() starts a row
    // whose cells are all Null, the setters fill the cells of that last row.
    void appendRow();
    void setInteger(int column, qint64 v);
    void setBoolean(int column, bool v);
    void setReal(int column, double v);
    void setText(int column, QStringView v);
    void setBinary(int column, QByteArrayView v);
    void setValue(int column, const Value &v);

private:
    qsizetype index(qsizetype row, int column) const { return row * m_columns.size() + column; }
    quint64 slot(qsizetype row, int column) const { return m_slots[index(row, column)]; }
    void set(int column, quint64 bits);
    quint64 arenaSlot(qsizetype length) const;

    QString m_name;
    QList<ColumnInfo> m_columns;
    qsizetype m_rowCount = 0;
    std::vector<quint64> m_slots;  // row-major: whole numbers, booleans, doubles' bits, text offset/length
    std::vector<bool> m_nulls;
    std::vector<char16_t> m_arena; // the characters of every text cell
};

} // namespace hoteldb
