#include "scalar.h"

#include "dberror.h"
#include "textcollation.h"

namespace hoteldb {

Scalar Scalar::fromCell(const TableData &table, qsizetype row, int column)
{
    if (table.isNull(row, column))
        return {};
    switch (table.columns()[column].type) {
    case Value::Type::Text:
        return fromText(table.textAt(row, column));
    case Value::Type::Integer:
        return fromInteger(table.integerAt(row, column));
    case Value::Type::Boolean:
        return fromInteger(table.booleanAt(row, column) ? -1 : 0);
    case Value::Type::Real:
    case Value::Type::DateTime:
        return fromReal(table.realAt(row, column));
    default:
        return {};
    }
}

bool Scalar::isTextColumn(const TableData &table, int column, const QString &databaseName)
{
    switch (table.columns()[column].type) {
    case Value::Type::Text:
        return true;
    case Value::Type::Integer:
    case Value::Type::Boolean:
    case Value::Type::Real:
    case Value::Type::DateTime:
        return false;
    default:
        throw DbError(u"Il campo %1 della tabella %2 (database %3) non si può usare in una query.",
                      {table.columns()[column].name, table.name(), databaseName});
    }
}

int Scalar::compare(const Scalar &a, const Scalar &b)
{
    if (a.kind == Kind::Text)
        return TextCollation::compare(a.text, b.text);
    if (a.kind == Kind::Integer && b.kind == Kind::Integer)
        return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
    const double x = a.kind == Kind::Integer ? double(a.integer) : a.real;
    const double y = b.kind == Kind::Integer ? double(b.integer) : b.real;
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace hoteldb
