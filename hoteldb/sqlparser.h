#pragma once

#include "expression.h"
#include "querytext.h"
#include "selectstatement.h"
#include "sqltoken.h"

#include <memory>
#include <vector>

namespace hoteldb {

// Recursive-descent parser for the query language the hotel's queries use:
//   Select * From T [Where condition] [Order by F [, G ...]] [;]
//   condition: term {Or term}, term: factor {And factor},
//   factor: ( condition ) | operand op operand | operand In ( Select F From T [In 'file'] [Where condition] )
//   operand: field | 'text' | number | Instr(operand, operand) | Trim(operand)
// Nesting is bounded, so no text can exhaust the stack.
class SqlParser
{
public:
    static std::unique_ptr<SelectStatement> parseSelect(const QueryText &query);
    static std::unique_ptr<Expression> parseCriteria(const QueryText &criteria);
    // Whether a recordset source is a SELECT text rather than a table name.
    static bool isSelectText(const QString &source);

    static constexpr int kMaxDepth = 64;

private:
    explicit SqlParser(const QueryText &query);

    const SqlToken &peek() const { return m_tokens[m_pos]; }
    const SqlToken &take() { return m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos]; }
    bool takeWord(QStringView keyword);
    void expectWord(QStringView keyword);
    void expect(SqlToken::Kind kind, const QString &shown);
    void expectEnd();
    [[noreturn]] void fail(const SqlToken &at, const QString &expected) const;
    void enter(const SqlToken &at);

    std::unique_ptr<SelectStatement> select(bool subquery);
    SelectStatement::Name name(const QString &expected);
    std::unique_ptr<Expression> condition();
    std::unique_ptr<Expression> chain(Expression::Kind kind);
    std::unique_ptr<Expression> factor();
    std::unique_ptr<Expression> operand();
    std::unique_ptr<Expression> function(Expression::Kind kind, int arguments);

    const QueryText &m_query;
    std::vector<SqlToken> m_tokens;
    size_t m_pos = 0;
    int m_depth = 0;
};

} // namespace hoteldb
