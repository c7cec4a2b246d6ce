#pragma once

#include "operatorerror.h"

namespace hoteldb {

// A failure of the database layer, naming the file, the table, the field or the query text at
// fault. A kind of its own: the fuzzers and the database tests tell a refusal by this layer from
// anything else that escapes it.
class DbError : public core::OperatorError
{
public:
    using core::OperatorError::OperatorError;
};

} // namespace hoteldb
