#include "jetrow.h"

#include <QtEndian>

#include <algorithm>

namespace hoteldb::jet {

namespace {
constexpr int kOffsetMask = 0x1fff;
// Set on a deleted row and on the stub left behind when a grown row moved to another page.
constexpr int kSkippedFlag = 0x4000;
constexpr qsizetype kFreeSpaceOffset = 2;

int byteAt(QByteArrayView bytes, qsizetype i) { return uchar(bytes[i]); }
int wordAt(QByteArrayView bytes, qsizetype i) { return qFromLittleEndian<quint16>(bytes.data() + i); }

// The row's table of variable-column offsets, read from its end; the last entry marks the
// end of the variable data, tableStart where the table begins. Empty when it does not fit.
std::vector<int> jet4Offsets(QByteArrayView row, int maskSize, qsizetype &tableStart)
{
    const qsizetype countAt = row.size() - maskSize - 2;
    if (countAt < 2)
        return {};
    const int count = wordAt(row, countAt);
    tableStart = countAt - 2 * (count + 1);
    if (tableStart < 2)
        return {};
    std::vector<int> offsets(count + 1);
    for (int i = 0; i <= count; ++i)
        offsets[i] = wordAt(row, countAt - 2 - 2 * i);
    return offsets;
}

// Jet 3 keeps one byte per offset; a jump table before the count says at which entries the
// offsets pass another multiple of 256.
std::vector<int> jet3Offsets(QByteArrayView row, int maskSize, qsizetype &tableStart)
{
    const qsizetype size = row.size();
    const qsizetype countAt = size - maskSize - 1;
    if (countAt < 1)
        return {};
    const int count = byteAt(row, countAt);
    int jumps = int((size - 1) / 256);
    const qsizetype first = countAt - jumps - 1; // the offset of the first variable column
    tableStart = first - count;
    if (tableStart < 1)
        return {};
    // A row just past a multiple of 256 may end its jump table with an unused entry.
    if (tableStart / 256 < jumps)
        --jumps;
    std::vector<int> offsets(count + 1);
    int used = 0;
    for (int i = 0; i <= count; ++i) {
        while (used < jumps && i == byteAt(row, countAt - 1 - used))
            ++used;
        offsets[i] = byteAt(row, first - i) + 256 * used;
    }
    return offsets;
}
} // namespace

std::optional<int> JetRow::rowCount(QByteArrayView page, int rowCountOffset)
{
    if (rowCountOffset + 2 > page.size())
        return std::nullopt;
    const int count = wordAt(page, rowCountOffset);
    if (rowCountOffset + 2 + 2 * count > page.size())
        return std::nullopt;
    return count;
}

bool JetRow::freeSpaceAgrees(QByteArrayView page, int rowCountOffset)
{
    const std::optional<int> count = rowCount(page, rowCountOffset);
    if (!count || kFreeSpaceOffset + 2 > rowCountOffset)
        return false;
    const int tableEnd = rowCountOffset + 2 + 2 * *count;
    int lowest = int(page.size());
    for (int i = 0; i < *count; ++i)
        lowest = std::min(lowest, wordAt(page, rowCountOffset + 2 + 2 * i) & kOffsetMask);
    return wordAt(page, kFreeSpaceOffset) == lowest - tableEnd;
}

bool JetRow::holdsLiveRows(QByteArrayView page, int rowCountOffset)
{
    const int count = rowCount(page, rowCountOffset).value_or(0);
    for (int i = 0; i < count; ++i) {
        if (!(wordAt(page, rowCountOffset + 2 + 2 * i) & kSkippedFlag))
            return true;
    }
    return false;
}

std::optional<RowSlot> JetRow::slot(QByteArrayView page, int rowCountOffset, int index)
{
    const int count = rowCount(page, rowCountOffset).value_or(0);
    if (index < 0 || index >= count)
        return std::nullopt;
    const int entry = wordAt(page, rowCountOffset + 2 + 2 * index);
    RowSlot slot;
    slot.start = entry & kOffsetMask;
    slot.end = index == 0 ? int(page.size()) : wordAt(page, rowCountOffset + 2 * index) & kOffsetMask;
    slot.skipped = entry & kSkippedFlag;
    if (slot.start < rowCountOffset + 2 + 2 * count || slot.start > slot.end || slot.end > page.size())
        return std::nullopt;
    return slot;
}

bool JetRow::split(Version version, QByteArrayView row, bool hasVariableColumns,
                   const QList<ColumnLayout> &columns, std::vector<FieldSpan> &fields)
{
    const int countSize = version == Version::Jet4 ? 2 : 1;
    if (row.size() < countSize)
        return false;
    const int rowColumns = version == Version::Jet4 ? wordAt(row, 0) : byteAt(row, 0);
    const int maskSize = (rowColumns + 7) / 8;
    if (countSize + maskSize > row.size())
        return false;
    const QByteArrayView mask = row.last(maskSize);

    std::vector<int> offsets;
    qsizetype fixedEnd = row.size() - maskSize;
    if (hasVariableColumns) {
        qsizetype tableStart = 0;
        offsets = version == Version::Jet4 ? jet4Offsets(row, maskSize, tableStart)
                                           : jet3Offsets(row, maskSize, tableStart);
        if (offsets.empty())
            return false;
        // Offsets run forward from the fixed data to the start of the offset table itself.
        for (size_t i = 0; i < offsets.size(); ++i) {
            if (offsets[i] < countSize || offsets[i] > tableStart || (i > 0 && offsets[i] < offsets[i - 1]))
                return false;
        }
        fixedEnd = offsets.front();
    }

    fields.assign(columns.size(), FieldSpan());
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const ColumnLayout &column = columns[c];
        FieldSpan &field = fields[c];
        // A column added after the row was written is not in the row at all.
        const bool present = column.number < rowColumns;
        const bool bit = present && (byteAt(mask, column.number / 8) >> (column.number % 8)) & 1;
        if (column.type == ColumnType::Boolean) {
            field.null = false;
            field.flag = bit;
            continue;
        }
        if (!bit)
            continue;
        if (column.fixed) {
            field.start = countSize + column.fixedOffset;
            field.length = column.size;
            if (column.fixedOffset < 0 || column.size < 0 || field.start + qsizetype(field.length) > fixedEnd)
                return false;
        } else {
            if (column.variableIndex < 0 || size_t(column.variableIndex) + 1 >= offsets.size())
                continue;
            field.start = offsets[column.variableIndex];
            field.length = offsets[column.variableIndex + 1] - field.start;
        }
        field.null = false;
    }
    return true;
}

} // namespace hoteldb::jet
