#pragma once

#include "jetformat.h"

#include <QByteArrayView>
#include <QList>

#include <optional>
#include <vector>

namespace hoteldb::jet {

// One entry of a data page's row table.
struct RowSlot
{
    int start = 0;
    int end = 0;       // one past the last byte
    bool skipped = false; // deleted, or moved to another page and read there
};

// One column's place in a stored row: Null, or `length` bytes from `start`. A Yes/No field
// keeps its value in the null mask, so it is never Null and carries that bit as `flag`.
struct FieldSpan
{
    bool null = true;
    bool flag = false;
    int start = 0;
    int length = 0;
};

// Reads stored rows and the row tables of data pages. Every position is checked against
// the bytes at hand: a damaged page gives an empty answer, never a read out of bounds.
class JetRow
{
public:
    // The rows in the page's row table; nullopt when the table does not fit the page.
    static std::optional<int> rowCount(QByteArrayView page, int rowCountOffset);
    // Whether the free-space count of the page's header is the gap between its row table and
    // its lowest row, as Jet keeps it; false when the row table does not fit.
    static bool freeSpaceAgrees(QByteArrayView page, int rowCountOffset);
    // Whether an entry of the page's row table is neither deleted nor moved away.
    static bool holdsLiveRows(QByteArrayView page, int rowCountOffset);
    // Where row `index` lies on the page; nullopt when its offsets fall outside the page.
    static std::optional<RowSlot> slot(QByteArrayView page, int rowCountOffset, int index);

    // Finds every column of a stored row; false when the row's own offsets contradict its size.
    static bool split(Version version, QByteArrayView row, bool hasVariableColumns,
                      const QList<ColumnLayout> &columns, std::vector<FieldSpan> &fields);
};

} // namespace hoteldb::jet
