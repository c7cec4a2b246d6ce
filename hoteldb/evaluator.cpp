#include "evaluator.h"

#include "selectexecutor.h"
#include "textcollation.h"
#include "trimspaces.h"

#include <algorithm>
#include <bit>

namespace hoteldb {

Evaluator::Evaluator(const Expression &condition, CachedTable &table, QueryContext &context, const QueryText &text)
    : m_table(table)
{
    m_root = bind(condition, Binding{context, text});
    collectProbes(condition);
}

Evaluator::Node Evaluator::bind(const Expression &expression, const Binding &binding)
{
    Node node;
    node.kind = expression.kind;
    node.comparison = expression.comparison;
    switch (expression.kind) {
    case Expression::Kind::And:
    case Expression::Kind::Or:
        for (const auto &child : expression.children)
            node.children.push_back(bind(*child, binding));
        return node;
    case Expression::Kind::Comparison:
        node.children.push_back(bindOperand(*expression.children[0], binding));
        node.children.push_back(bindOperand(*expression.children[1], binding));
        if (node.children[0].text != node.children[1].text)
            throw binding.text.typeMismatch(expression.children[1]->position);
        node.text = node.children[0].text;
        return node;
    case Expression::Kind::InSubquery:
        node.children.push_back(bindOperand(*expression.children[0], binding));
        node.text = node.children[0].text;
        bindSubquery(expression, node, binding);
        return node;
    default:
        // The parser only puts operands inside comparisons, Instr and Trim.
        throw binding.text.syntaxError(expression.position, QStringLiteral("attesa una condizione"));
    }
}

Evaluator::Node Evaluator::bindOperand(const Expression &expression, const Binding &binding)
{
    Node node;
    node.kind = expression.kind;
    switch (expression.kind) {
    case Expression::Kind::Field:
        node.column = m_table.column(expression.text);
        node.text = Scalar::isTextColumn(m_table.data(), node.column, m_table.databaseName());
        return node;
    case Expression::Kind::Text:
        node.literal = expression.text;
        node.text = true;
        return node;
    case Expression::Kind::Number:
        node.number = expression.number.type() == Value::Type::Integer
                          ? Scalar::fromInteger(expression.number.integerValue())
                          : Scalar::fromReal(expression.number.realValue());
        return node;
    case Expression::Kind::Instr:
    case Expression::Kind::Trim:
        for (const auto &child : expression.children) {
            node.children.push_back(bindOperand(*child, binding));
            if (!node.children.back().text)
                throw binding.text.typeMismatch(child->position);
        }
        node.text = expression.kind == Expression::Kind::Trim;
        return node;
    default:
        throw binding.text.syntaxError(expression.position, QStringLiteral("atteso un valore"));
    }
}

void Evaluator::bindSubquery(const Expression &expression, Node &node, const Binding &binding)
{
    const SelectStatement &statement = *expression.subquery;
    std::unique_ptr<QueryContext> other;
    if (!statement.externalFile.text.isEmpty())
        other = binding.context.sibling(statement.externalFile);
    QueryContext &context = other ? *other : binding.context;
    const std::shared_ptr<CachedTable> table = context.table(statement.table);
    const int column = table->column(statement.field.text);
    if (Scalar::isTextColumn(table->data(), column, table->databaseName()) != node.text)
        throw binding.text.typeMismatch(statement.field.position);

    const auto rows = SelectExecutor::run(statement, *table, context, binding.text);
    const qsizetype count = rows ? qsizetype(rows->size()) : table->data().rowCount();
    for (qsizetype i = 0; i < count; ++i) {
        const Scalar cell = Scalar::fromCell(table->data(), rows ? (*rows)[i] : i, column);
        if (cell.isNull())
            continue;
        if (node.text)
            node.textSet.push_back(TextCollation::key(cell.text));
        else
            node.numberSet.push_back(cell);
    }
    std::sort(node.textSet.begin(), node.textSet.end(),
              [](const QString &a, const QString &b) { return TextCollation::compare(a, b) < 0; });
    std::sort(node.numberSet.begin(), node.numberSet.end(),
              [](const Scalar &a, const Scalar &b) { return Scalar::compare(a, b) < 0; });
}

namespace {

// "literal op field" read as "field op' literal".
Expression::Comparison mirrored(Expression::Comparison comparison)
{
    switch (comparison) {
    case Expression::Comparison::Less: return Expression::Comparison::Greater;
    case Expression::Comparison::LessEqual: return Expression::Comparison::GreaterEqual;
    case Expression::Comparison::Greater: return Expression::Comparison::Less;
    case Expression::Comparison::GreaterEqual: return Expression::Comparison::LessEqual;
    default: return comparison;
    }
}

// A set of candidate rows as one index gives it.
struct RowSet
{
    std::span<const qint32> rows;
    bool ascending = false;
    std::span<const qint32> all; // a slice of a sorted index: the whole index, so that the rest is known
    size_t restSize() const { return all.empty() ? SIZE_MAX : all.size() - rows.size(); }
};

} // namespace

void Evaluator::collectProbes(const Expression &expression)
{
    if (expression.kind == Expression::Kind::And) {
        for (const auto &child : expression.children)
            collectProbes(*child);
        return;
    }
    if (expression.kind != Expression::Kind::Comparison || expression.comparison == Expression::Comparison::NotEqual)
        return;
    for (int side = 0; side < 2; ++side) {
        const Expression *target = expression.children[side].get();
        const Expression &literal = *expression.children[1 - side];
        Probe probe;
        probe.comparison = side == 0 ? expression.comparison : mirrored(expression.comparison);
        probe.trimmed = target->kind == Expression::Kind::Trim;
        if (probe.trimmed) {
            if (probe.comparison != Expression::Comparison::Equal)
                continue;
            target = target->children[0].get();
        }
        if (target->kind != Expression::Kind::Field)
            continue;
        probe.column = m_table.column(target->text);
        const Value::Type type = m_table.data().columns()[probe.column].type;
        if (type == Value::Type::Text && literal.kind == Expression::Kind::Text) {
            probe.text = true;
            probe.key = TextCollation::key(literal.text);
        } else if ((type == Value::Type::Integer || type == Value::Type::Boolean) && !probe.trimmed
                   && literal.kind == Expression::Kind::Number && literal.number.type() == Value::Type::Integer) {
            probe.number = literal.number.integerValue();
        } else {
            continue;
        }
        m_probes.push_back(probe);
        return;
    }
}

std::optional<std::span<const qint32>> Evaluator::candidates(RowList &storage) const
{
    std::vector<RowSet> sets;
    for (const Probe &probe : m_probes) {
        if (probe.comparison == Expression::Comparison::Equal) {
            const EqualityIndex &index = m_table.index(probe.column, probe.trimmed);
            sets.push_back({probe.text ? index.rows(probe.key) : index.rows(probe.number), true, {}});
        } else {
            const SortedIndex &index = m_table.sortedIndex(probe.column);
            sets.push_back({probe.text ? index.rows(probe.comparison, probe.key)
                                       : index.rows(probe.comparison, probe.number), false, index.all()});
        }
    }
    if (sets.empty())
        return std::nullopt;
    std::sort(sets.begin(), sets.end(), [](const RowSet &a, const RowSet &b) { return a.rows.size() < b.rows.size(); });

    // Few rows, already in order: use them as they are.
    const size_t rowCount = size_t(m_table.data().rowCount());
    const size_t few = rowCount / 64;
    if (sets[0].ascending && (sets.size() == 1 || sets[0].rows.size() <= few))
        return sets[0].rows;

    // Otherwise intersect the sets as bitmaps, which also puts the rows in order. A range that
    // holds most rows takes out the few rows outside it instead (each candidate is still tested,
    // so rows with a Null there may stay); a set holding nearly every row would cost more than
    // it removes.
    std::vector<quint64> bits((rowCount + 63) / 64);
    const auto mark = [](std::vector<quint64> &words, std::span<const qint32> rows) {
        for (qint32 row : rows)
            words[size_t(row) / 64] |= quint64(1) << (row % 64);
    };
    mark(bits, sets[0].rows);
    std::vector<quint64> other;
    int bitmaps = 0;
    for (size_t i = 1; i < sets.size(); ++i) {
        const RowSet &set = sets[i];
        if (set.restSize() < set.rows.size()) {
            const size_t before = size_t(set.rows.data() - set.all.data());
            for (auto rest : {set.all.first(before), set.all.subspan(before + set.rows.size())}) {
                for (qint32 row : rest)
                    bits[size_t(row) / 64] &= ~(quint64(1) << (row % 64));
            }
        } else if (bitmaps < 3 && set.rows.size() < rowCount - rowCount / 8) {
            ++bitmaps;
            other.assign(bits.size(), 0);
            mark(other, set.rows);
            for (size_t w = 0; w < bits.size(); ++w)
                bits[w] &= other[w];
        }
    }
    storage.clear();
    for (size_t w = 0; w < bits.size(); ++w) {
        for (quint64 word = bits[w]; word != 0; word &= word - 1)
            storage.push_back(qint32(w * 64 + size_t(std::countr_zero(word))));
    }
    return std::span<const qint32>(storage);
}

bool Evaluator::test(const Node &node, qsizetype row) const
{
    switch (node.kind) {
    case Expression::Kind::And:
        return std::all_of(node.children.begin(), node.children.end(),
                           [&](const Node &child) { return test(child, row); });
    case Expression::Kind::Or:
        return std::any_of(node.children.begin(), node.children.end(),
                           [&](const Node &child) { return test(child, row); });
    case Expression::Kind::InSubquery: {
        const Scalar left = value(node.children[0], row);
        return !left.isNull() && inSet(node, left);
    }
    default:
        break;
    }
    const Scalar left = value(node.children[0], row);
    if (left.isNull())
        return false;
    const Scalar right = value(node.children[1], row);
    if (right.isNull())
        return false;
    switch (node.comparison) {
    case Expression::Comparison::Equal:
        return node.text ? TextCollation::equal(left.text, right.text) : Scalar::compare(left, right) == 0;
    case Expression::Comparison::NotEqual:
        return node.text ? !TextCollation::equal(left.text, right.text) : Scalar::compare(left, right) != 0;
    case Expression::Comparison::Less:
        return Scalar::compare(left, right) < 0;
    case Expression::Comparison::LessEqual:
        return Scalar::compare(left, right) <= 0;
    case Expression::Comparison::Greater:
        return Scalar::compare(left, right) > 0;
    case Expression::Comparison::GreaterEqual:
        return Scalar::compare(left, right) >= 0;
    }
    return false;
}

Scalar Evaluator::value(const Node &node, qsizetype row) const
{
    switch (node.kind) {
    case Expression::Kind::Field:
        return Scalar::fromCell(m_table.data(), row, node.column);
    case Expression::Kind::Text:
        return Scalar::fromText(node.literal);
    case Expression::Kind::Number:
        return node.number;
    case Expression::Kind::Instr: {
        const Scalar haystack = value(node.children[0], row);
        const Scalar needle = value(node.children[1], row);
        if (haystack.isNull() || needle.isNull())
            return {};
        return Scalar::fromInteger(TextCollation::indexOf(haystack.text, needle.text));
    }
    case Expression::Kind::Trim: {
        const Scalar text = value(node.children[0], row);
        return text.isNull() ? text : Scalar::fromText(core::trimSpaces(text.text));
    }
    default:
        return {};
    }
}

bool Evaluator::inSet(const Node &node, const Scalar &value) const
{
    if (node.text) {
        return std::binary_search(node.textSet.begin(), node.textSet.end(), value.text,
                                  [](const auto &a, const auto &b) {
                                      return TextCollation::compare(QStringView(a), QStringView(b)) < 0;
                                  });
    }
    return std::binary_search(node.numberSet.begin(), node.numberSet.end(), value,
                              [](const Scalar &a, const Scalar &b) { return Scalar::compare(a, b) < 0; });
}

} // namespace hoteldb
