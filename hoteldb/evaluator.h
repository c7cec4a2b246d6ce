#pragma once

#include "cachedtable.h"
#include "expression.h"
#include "querycontext.h"
#include "querytext.h"
#include "rowlist.h"
#include "scalar.h"

#include <optional>
#include <span>
#include <vector>

namespace hoteldb {

// A WHERE clause or search criterion bound to the columns of one table and checked for types
// once, then tested row by row. Subqueries run when binding, leaving a sorted set of values.
//
// Conditions are two-valued here: a comparison with Null is not true, and since the language
// has no Not, "unknown" and "false" can never lead to different rows being selected.
class Evaluator
{
public:
    Evaluator(const Expression &condition, CachedTable &table, QueryContext &context, const QueryText &text);

    bool isTrue(qsizetype row) const { return test(m_root, row); }
    // The rows that can satisfy the condition, ascending, found through the indexes of the
    // comparisons of a field with a literal that the condition requires (the terms of its top
    // And); nullopt when every row must be tested. The list may live in storage.
    std::optional<std::span<const qint32>> candidates(RowList &storage) const;

private:
    struct Node
    {
        Expression::Kind kind = Expression::Kind::Field;
        Expression::Comparison comparison = Expression::Comparison::Equal;
        bool text = false; // the operand is a text; for a comparison or In: texts are compared
        int column = -1;
        QString literal;
        Scalar number;
        std::vector<Node> children;
        std::vector<QString> textSet;  // In: folded keys, sorted
        std::vector<Scalar> numberSet; // In: sorted
    };
    struct Probe
    {
        int column = -1;
        Expression::Comparison comparison = Expression::Comparison::Equal; // with the field on the left
        bool trimmed = false;
        bool text = false;
        QString key;
        qint64 number = 0;
    };

    // Binding needs the context and the text only while the evaluator is being built.
    struct Binding
    {
        QueryContext &context;
        const QueryText &text;
    };
    Node bind(const Expression &expression, const Binding &binding);
    Node bindOperand(const Expression &expression, const Binding &binding);
    void bindSubquery(const Expression &expression, Node &node, const Binding &binding);
    void collectProbes(const Expression &expression);
    bool test(const Node &node, qsizetype row) const;
    Scalar value(const Node &node, qsizetype row) const;
    bool inSet(const Node &node, const Scalar &value) const;

    CachedTable &m_table;
    Node m_root;
    std::vector<Probe> m_probes;
};

} // namespace hoteldb
