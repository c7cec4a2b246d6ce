#pragma once

#include "cachedtable.h"
#include "selectstatement.h"

#include <memory>

namespace hoteldb {

// Where the tables named in a query come from: the database being queried, and the other
// database files of its folder that a subquery names with In 'file.mdb'.
class QueryContext
{
public:
    virtual ~QueryContext() = default;
    virtual std::shared_ptr<CachedTable> table(const SelectStatement::Name &name) = 0;
    virtual std::unique_ptr<QueryContext> sibling(const SelectStatement::Name &file) = 0;
};

} // namespace hoteldb
