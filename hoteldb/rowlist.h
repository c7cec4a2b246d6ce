#pragma once

#include <QtGlobal>

#include <vector>

namespace hoteldb {

// Row numbers into a shared TableData: what a query or an index yields instead of copies of rows.
using RowList = std::vector<qint32>;

} // namespace hoteldb
