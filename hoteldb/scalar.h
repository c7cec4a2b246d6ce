#pragma once

#include "tabledata.h"

#include <QStringView>

namespace hoteldb {

// A value met while evaluating a condition: Null, a number or a view of a text that lives
// in the table or in the query, so that no text is copied per row.
struct Scalar
{
    enum class Kind { Null, Integer, Real, Text };

    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QStringView text;

    static Scalar fromInteger(qint64 v) { return {Kind::Integer, v, 0, {}}; }
    static Scalar fromReal(double v) { return {Kind::Real, 0, v, {}}; }
    static Scalar fromText(QStringView v) { return {Kind::Text, 0, 0, v}; }
    // A cell as a query sees it: a Yes/No field is the number -1 or 0, a date its day number.
    static Scalar fromCell(const TableData &table, qsizetype row, int column);
    // Whether a column holds text (true) or numbers (false); throws for a kind no query compares.
    static bool isTextColumn(const TableData &table, int column, const QString &databaseName);

    bool isNull() const { return kind == Kind::Null; }
    // Jet order of two non-Null values of the same kind (both texts or both numbers).
    static int compare(const Scalar &a, const Scalar &b);
};

} // namespace hoteldb
