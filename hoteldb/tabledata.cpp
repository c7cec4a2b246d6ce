#include "tabledata.h"

#include "dberror.h"

#include <bit>

namespace hoteldb {

namespace {
// A text cell's slot: offset into the arena in the high 40 bits, length in the low 24.
constexpr int kLengthBits = 24;
constexpr quint64 kMaxLength = (quint64(1) << kLengthBits) - 1;
constexpr quint64 kMaxOffset = (quint64(1) << (64 - kLengthBits)) - 1;
} // namespace

TableData::TableData(QString name, QList<ColumnInfo> columns)
    : m_name(std::move(name)), m_columns(std::move(columns))
{
}

int TableData::columnIndex(QStringView name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (name.compare(m_columns[i].name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

double TableData::realAt(qsizetype row, int column) const
{
    return std::bit_cast<double>(slot(row, column));
}

QStringView TableData::textAt(qsizetype row, int column) const
{
    const quint64 s = slot(row, column);
    const qsizetype length = qsizetype(s & kMaxLength);
    if (length == 0)
        return QStringView(u"");
    return QStringView(m_arena.data() + (s >> kLengthBits), length);
}

QByteArray TableData::binaryAt(qsizetype row, int column) const
{
    const QStringView chars = textAt(row, column);
    QByteArray bytes(chars.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < chars.size(); ++i)
        bytes[i] = char(chars[i].unicode());
    return bytes;
}

Value TableData::value(qsizetype row, int column) const
{
    if (isNull(row, column))
        return Value();
    switch (m_columns[column].type) {
    case Value::Type::Integer:
        return Value::integer(integerAt(row, column));
    case Value::Type::Boolean:
        return Value::boolean(booleanAt(row, column));
    case Value::Type::Real:
        return Value::real(realAt(row, column));
    case Value::Type::DateTime:
        return Value::dateTime(realAt(row, column));
    case Value::Type::Text:
        return Value::text(textAt(row, column).toString());
    case Value::Type::Binary:
        return Value::binary(binaryAt(row, column));
    case Value::Type::Null:
        break;
    }
    return Value();
}

void TableData::appendRow()
{
    ++m_rowCount;
    m_slots.resize(m_slots.size() + m_columns.size(), 0);
    m_nulls.resize(m_nulls.size() + m_columns.size(), true);
}

void TableData::set(int column, quint64 bits)
{
    const qsizetype i = index(m_rowCount - 1, column);
    m_slots[i] = bits;
    m_nulls[i] = false;
}

void TableData::setInteger(int column, qint64 v) { set(column, quint64(v)); }
void TableData::setBoolean(int column, bool v) { set(column, v ? 1 : 0); }
void TableData::setReal(int column, double v) { set(column, std::bit_cast<quint64>(v)); }

quint64 TableData::arenaSlot(qsizetype length) const
{
    const quint64 offset = m_arena.size();
    if (quint64(length) > kMaxLength || offset > kMaxOffset)
        throw DbError(u"La tabella %1 contiene più testo di quanto si possa leggere.", {m_name});
    return (offset << kLengthBits) | quint64(length);
}

void TableData::setText(int column, QStringView v)
{
    const quint64 bits = arenaSlot(v.size());
    m_arena.insert(m_arena.end(), v.utf16(), v.utf16() + v.size());
    set(column, bits);
}

void TableData::setBinary(int column, QByteArrayView v)
{
    const quint64 bits = arenaSlot(v.size());
    for (const char byte : v)
        m_arena.push_back(char16_t(uchar(byte)));
    set(column, bits);
}

void TableData::setValue(int column, const Value &v)
{
    switch (v.type()) {
    case Value::Type::Null:
        break;
    case Value::Type::Integer:
        setInteger(column, v.integerValue());
        break;
    case Value::Type::Boolean:
        setBoolean(column, v.booleanValue());
        break;
    case Value::Type::Real:
    case Value::Type::DateTime:
        setReal(column, v.realValue());
        break;
    case Value::Type::Text:
        setText(column, v.textValue());
        break;
    case Value::Type::Binary:
        setBinary(column, v.binaryValue());
        break;
    }
}

} // namespace hoteldb
