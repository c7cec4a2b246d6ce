#pragma once

#include "value.h"

#include <QString>

#include <memory>
#include <vector>

namespace hoteldb {

struct SelectStatement;

// A node of a parsed WHERE clause or search criterion. Conditions (comparisons, In, And, Or)
// and operands (fields, literals, Instr, Trim) share one node type; the parser keeps them
// in their places, the evaluator checks the types of the operands.
struct Expression
{
    enum class Kind { Field, Text, Number, Instr, Trim, Comparison, InSubquery, And, Or };
    enum class Comparison { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    Kind kind = Kind::Field;
    qsizetype position = 0;          // 0-based, where the node starts in the text
    QString text;                    // field name or text literal
    Value number;                    // number literal
    Comparison comparison = Comparison::Equal;
    std::vector<std::unique_ptr<Expression>> children; // operands, or the terms of And / Or
    std::shared_ptr<const SelectStatement> subquery;   // for In
};

} // namespace hoteldb
