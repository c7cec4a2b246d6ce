#pragma once

#include "expression.h"

#include <QString>

#include <memory>
#include <vector>

namespace hoteldb {

// A parsed "Select * From T [Where ...] [Order by ...]", or the subquery
// "Select F From T [In 'file.mdb'] [Where ...]" of an In condition.
struct SelectStatement
{
    struct Name
    {
        QString text;
        qsizetype position = 0;
    };

    Name field;                         // empty text for "*"
    Name table;
    Name externalFile;                  // the file of "In 'file.mdb'", empty for the database queried
    std::unique_ptr<Expression> where;  // null without Where
    std::vector<Name> orderBy;
};

} // namespace hoteldb
