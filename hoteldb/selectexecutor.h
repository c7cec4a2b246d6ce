#pragma once

#include "cachedtable.h"
#include "querycontext.h"
#include "querytext.h"
#include "rowlist.h"
#include "selectstatement.h"

#include <memory>

namespace hoteldb {

// Runs a parsed SELECT on its table: the rows whose condition is true, ordered ascending by the
// Order by fields with Nulls first and ties in stored order. The result is a list of row
// numbers; null stands for every row in stored order.
class SelectExecutor
{
public:
    static std::shared_ptr<const RowList> run(const SelectStatement &statement, CachedTable &table,
                                              QueryContext &context, const QueryText &text);
};

} // namespace hoteldb
