#include "rowencoder.h"

#include "bytes.h"
#include "jetwriteerror.h"
#include "valueencoder.h"

namespace jetwriter {

namespace {

QString rowPlace(const TableLayout &layout, qsizetype rowIndex)
{
    return QStringLiteral("Tabella «%1», riga %2").arg(layout.name()).arg(rowIndex + 1);
}

} // namespace

RowEncoder::RowEncoder(const FormatTraits &traits, const TableLayout &layout, LongValueWriter &longValues)
    : m_traits(traits), m_layout(layout), m_longValues(longValues)
{
}

QByteArray RowEncoder::encode(const QVariantList &values, qsizetype rowIndex)
{
    const QList<StoredColumn> &columns = m_layout.columns();
    if (values.size() != columns.size())
        throw JetWriteError(QStringLiteral("%1: la riga ha %2 valori ma la tabella ha %3 colonne.")
                                .arg(rowPlace(m_layout, rowIndex))
                                .arg(values.size())
                                .arg(columns.size()));

    QByteArray fixed(m_layout.fixedAreaSize(), '\0');
    QList<QByteArray> variable(m_layout.variableCount());
    QByteArray nullMask((columns.size() + 7) / 8, '\0'); // a set bit means not Null
    for (const StoredColumn &column : columns) {
        const QVariant &value = values[column.number];
        try {
            if (column.type == StoredType::Boolean) {
                if (!booleanValue(value))
                    continue;
            } else if (value.isNull()) {
                continue;
            } else if (column.fixed) {
                encodeFixedValue(column, value, fixed.data() + column.fixedOffset);
            } else {
                const QByteArray bytes = encodeTextValue(column, value, m_traits);
                variable[column.variableIndex] = column.isLongValue() ? m_longValues.field(column.longValueSlot, bytes) : bytes;
            }
        } catch (const JetWriteError &error) {
            throw JetWriteError(
                QStringLiteral("%1, colonna «%2»: %3.").arg(rowPlace(m_layout, rowIndex), column.name, error.message()));
        }
        nullMask[column.number / 8] = char(nullMask[column.number / 8] | (1 << column.number % 8));
    }

    QByteArray row;
    try {
        row = m_traits.jet4() ? assembleJet4(fixed, variable, nullMask) : assembleJet3(fixed, variable, nullMask);
    } catch (const JetWriteError &error) {
        throw JetWriteError(QStringLiteral("%1: %2.").arg(rowPlace(m_layout, rowIndex), error.message()));
    }
    if (row.size() > m_traits.maxRowSize())
        throw JetWriteError(QStringLiteral("%1: la riga occupa %2 byte, oltre i %3 che una pagina può contenere.")
                                .arg(rowPlace(m_layout, rowIndex))
                                .arg(row.size())
                                .arg(m_traits.maxRowSize()));
    return row;
}

QByteArray RowEncoder::assembleJet4(const QByteArray &fixed, const QList<QByteArray> &variable,
                                    const QByteArray &nullMask) const
{
    QByteArray row;
    append16(row, quint16(m_layout.columns().size()));
    row.append(fixed);
    if (!variable.isEmpty()) {
        QList<quint16> offsets;
        for (const QByteArray &bytes : variable) {
            offsets.append(quint16(row.size()));
            row.append(bytes);
        }
        append16(row, quint16(row.size()));
        for (auto it = offsets.crbegin(); it != offsets.crend(); ++it)
            append16(row, *it);
        append16(row, quint16(variable.size()));
    }
    row.append(nullMask);
    return row;
}

// Jet 3 offsets are single bytes: a jump table lists, for each 256-byte boundary the
// variable data crosses, the first offset entry past it. Readers take the number of
// jump entries from the row's length, (length - 1) / 256, so a row that is long for
// other reasons carries one padding entry, 0xFF, that they then ignore.
QByteArray RowEncoder::assembleJet3(const QByteArray &fixed, const QList<QByteArray> &variable,
                                    const QByteArray &nullMask) const
{
    QByteArray row;
    append8(row, quint8(m_layout.columns().size()));
    row.append(fixed);
    if (variable.isEmpty()) {
        row.append(nullMask);
        return row;
    }

    QList<int> offsets; // every variable entry and, last, the end of the variable data
    for (const QByteArray &bytes : variable) {
        offsets.append(int(row.size()));
        row.append(bytes);
    }
    offsets.append(int(row.size()));

    QList<quint8> jumps;
    for (int i = 0; i < offsets.size(); ++i) {
        const int crossed = offsets[i] / 256 - (i > 0 ? offsets[i - 1] / 256 : 0);
        if (crossed > 1)
            throw JetWriteError(QStringLiteral("la parte a lunghezza fissa o una colonna supera da sola 256 byte "
                                               "oltre un limite di 256, non rappresentabile in Jet 3"));
        if (crossed == 1)
            jumps.append(quint8(i));
    }
    const qsizetype fixedTrailer = 1 + variable.size() + 1 + nullMask.size(); // end offset, entries, count, mask
    const qsizetype needed = jumps.size();
    bool padding = false;
    if ((row.size() + fixedTrailer + needed - 1) / 256 != needed) {
        padding = true;
        if ((row.size() + fixedTrailer + needed) / 256 != needed + 1)
            throw JetWriteError(QStringLiteral("la tabella delle posizioni della riga non è rappresentabile in Jet 3"));
    }

    for (auto it = offsets.crbegin(); it != offsets.crend(); ++it)
        append8(row, quint8(*it & 0xFF));
    if (padding)
        append8(row, 0xFF);
    for (auto it = jumps.crbegin(); it != jumps.crend(); ++it)
        append8(row, *it);
    append8(row, quint8(variable.size()));
    row.append(nullMask);
    return row;
}

} // namespace jetwriter
