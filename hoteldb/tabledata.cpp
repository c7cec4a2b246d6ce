#include "tabledata.h"

#include "dberror.h"

#include <QDataStream>
#include <QIODevice>

#include <bit>

namespace hoteldb {

namespace {
// A text cell's slot: offset into the arena in the high 40 bits, length in the low 24.
constexpr int kLengthBits = 24;
constexpr quint64 kMaxLength = (quint64(1) << kLengthBits) - 1;
constexpr quint64 kMaxOffset = (quint64(1) << (64 - kLengthBits)) - 1;

constexpr quint32 kImageMagic = 0x4e585444; // "NXTD"
constexpr quint16 kImageVersion = 1;

bool storesInArena(Value::Type type)
{
    return type == Value::Type::Text || type == Value::Type::Binary;
}
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

void TableData::reserveRows(qsizetype rows)
{
    m_slots.reserve(size_t(rows * m_columns.size()));
    m_nulls.reserve(size_t(rows * m_columns.size()));
}

qsizetype TableData::memoryUse() const
{
    return qsizetype(m_slots.capacity() * sizeof(quint64) + m_nulls.capacity() / 8
                     + m_arena.capacity() * sizeof(char16_t));
}

QByteArray TableData::serialise() const
{
    QByteArray image;
    QDataStream out(&image, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kImageMagic << kImageVersion << m_name << quint32(m_columns.size());
    for (const ColumnInfo &column : m_columns)
        out << column.name << quint8(column.type);
    out << qint64(m_rowCount);
    for (const quint64 s : m_slots)
        out << s;
    // Null flags eight to a byte.
    for (size_t i = 0; i < m_nulls.size(); i += 8) {
        quint8 byte = 0;
        for (size_t bit = 0; bit < 8 && i + bit < m_nulls.size(); ++bit)
            byte |= quint8(m_nulls[i + bit]) << bit;
        out << byte;
    }
    out << quint64(m_arena.size());
    for (const char16_t c : m_arena)
        out << quint16(c);
    return image;
}

TableData TableData::deserialise(const QByteArray &image)
{
    const auto bad = [] {
        return DbError(QStringLiteral("I dati di una tabella decodificata sono danneggiati."));
    };
    QDataStream in(image);
    in.setVersion(QDataStream::Qt_6_4);
    // Every count is checked against the bytes left before anything that size is allocated.
    const auto fits = [&in](quint64 count, quint64 bytesEach) {
        return in.status() == QDataStream::Ok && count <= quint64(in.device()->bytesAvailable()) / bytesEach;
    };

    quint32 magic = 0;
    quint16 version = 0;
    QString name;
    quint32 columnCount = 0;
    in >> magic >> version >> name >> columnCount;
    if (magic != kImageMagic || version != kImageVersion || !fits(columnCount, 5))
        throw bad();
    QList<ColumnInfo> columns;
    for (quint32 i = 0; i < columnCount; ++i) {
        ColumnInfo column;
        quint8 type = 0;
        in >> column.name >> type;
        if (type == quint8(Value::Type::Null) || type > quint8(Value::Type::Binary))
            throw bad();
        column.type = Value::Type(type);
        columns.append(column);
    }
    TableData table(name, columns);
    qint64 rowCount = 0;
    in >> rowCount;
    const quint64 cells = quint64(rowCount) * columnCount;
    if (rowCount < 0 || (columnCount > 0 && cells / columnCount != quint64(rowCount)) || !fits(cells, 8))
        throw bad();
    table.m_rowCount = rowCount;
    table.m_slots.resize(cells);
    for (quint64 &s : table.m_slots)
        in >> s;
    table.m_nulls.resize(cells);
    for (quint64 i = 0; i < cells; i += 8) {
        quint8 byte = 0;
        in >> byte;
        for (quint64 bit = 0; bit < 8 && i + bit < cells; ++bit)
            table.m_nulls[i + bit] = (byte >> bit) & 1;
    }
    quint64 arenaSize = 0;
    in >> arenaSize;
    if (!fits(arenaSize, 2))
        throw bad();
    table.m_arena.resize(arenaSize);
    for (char16_t &c : table.m_arena) {
        quint16 unit = 0;
        in >> unit;
        c = unit;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw bad();
    // A text cell must lie inside the arena, or reading it would run past the end.
    for (quint64 i = 0; i < cells; ++i) {
        const quint64 s = table.m_slots[i];
        if (!table.m_nulls[i] && storesInArena(columns[int(i % columnCount)].type)
            && (s >> kLengthBits) + (s & kMaxLength) > arenaSize)
            throw bad();
    }
    return table;
}

} // namespace hoteldb
