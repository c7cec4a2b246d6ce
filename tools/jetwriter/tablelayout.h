#pragma once

#include "description.h"
#include "formattraits.h"

#include <QList>
#include <QString>

namespace jetwriter {

// Column types as the file codes them. Binary and OLE appear only in the system catalog.
enum class StoredType : quint8 {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

struct StoredColumn
{
    QString name;
    StoredType type = StoredType::Text;
    int maxChars = 0;       // text and binary: the declared size
    int number = 0;         // position in the table, also the column's bit in a row's null mask
    bool fixed = false;     // stored in the fixed part of every row (booleans take no bytes there)
    int fixedSize = 0;      // bytes in the fixed part
    int fixedOffset = 0;    // from the start of the fixed part
    int variableIndex = 0;  // variable columns: entry in a row's offset table; fixed: variable columns before it
    int longValueSlot = -1; // memo and OLE: which of the table's long value stores keeps its pages

    bool isLongValue() const { return type == StoredType::Memo || type == StoredType::Ole; }
    bool isText() const { return type == StoredType::Text || type == StoredType::Memo; }
};

// How a table's rows are laid out: column numbers, fixed offsets, variable entries.
class TableLayout
{
public:
    // Checks the described table's name, columns and sizes; throws JetWriteError.
    static TableLayout of(const Table &table, const FormatTraits &traits);

    TableLayout(QString name, QList<StoredColumn> columns, bool system);

    const QString &name() const { return m_name; }
    const QList<StoredColumn> &columns() const { return m_columns; }
    bool isSystem() const { return m_system; }
    int fixedAreaSize() const { return m_fixedAreaSize; }
    int variableCount() const { return m_variableCount; }
    int longValueCount() const { return m_longValueCount; }

private:
    QString m_name;
    QList<StoredColumn> m_columns;
    bool m_system = false;
    int m_fixedAreaSize = 0;
    int m_variableCount = 0;
    int m_longValueCount = 0;
};

} // namespace jetwriter
