#include "sqlparser.h"

#include "sqltokenizer.h"

#include <array>

namespace hoteldb {

namespace {

constexpr std::array<QStringView, 10> kReserved = {u"select", u"from", u"where", u"order", u"by",
                                                    u"and",    u"or",   u"in",    u"instr", u"trim"};

bool isReserved(const SqlToken &token)
{
    for (QStringView word : kReserved) {
        if (token.isWord(word))
            return true;
    }
    return false;
}

Expression::Comparison comparisonOf(SqlToken::Kind kind, bool *ok)
{
    *ok = true;
    switch (kind) {
    case SqlToken::Kind::Equal: return Expression::Comparison::Equal;
    case SqlToken::Kind::NotEqual: return Expression::Comparison::NotEqual;
    case SqlToken::Kind::Less: return Expression::Comparison::Less;
    case SqlToken::Kind::LessEqual: return Expression::Comparison::LessEqual;
    case SqlToken::Kind::Greater: return Expression::Comparison::Greater;
    case SqlToken::Kind::GreaterEqual: return Expression::Comparison::GreaterEqual;
    default:
        *ok = false;
        return Expression::Comparison::Equal;
    }
}

} // namespace

SqlParser::SqlParser(const QueryText &query)
    : m_query(query), m_tokens(SqlTokenizer(query).tokenize())
{
}

std::unique_ptr<SelectStatement> SqlParser::parseSelect(const QueryText &query)
{
    SqlParser parser(query);
    auto statement = parser.select(false);
    if (parser.peek().kind == SqlToken::Kind::Semicolon)
        parser.take();
    parser.expectEnd();
    return statement;
}

std::unique_ptr<Expression> SqlParser::parseCriteria(const QueryText &criteria)
{
    SqlParser parser(criteria);
    auto expression = parser.condition();
    parser.expectEnd();
    return expression;
}

bool SqlParser::isSelectText(const QString &source)
{
    const QStringView trimmed = QStringView(source).trimmed();
    return trimmed.startsWith(u"select", Qt::CaseInsensitive)
           && (trimmed.size() == 6 || !trimmed[6].isLetterOrNumber());
}

bool SqlParser::takeWord(QStringView keyword)
{
    if (!peek().isWord(keyword))
        return false;
    take();
    return true;
}

void SqlParser::expectWord(QStringView keyword)
{
    if (!takeWord(keyword))
        fail(peek(), u'"' + keyword.toString() + u'"');
}

void SqlParser::expect(SqlToken::Kind kind, const QString &shown)
{
    if (peek().kind != kind)
        fail(peek(), shown);
    take();
}

void SqlParser::expectEnd()
{
    if (peek().kind != SqlToken::Kind::End)
        fail(peek(), QStringLiteral("la fine del testo"));
}

void SqlParser::fail(const SqlToken &at, const QString &expected) const
{
    QString found;
    switch (at.kind) {
    case SqlToken::Kind::End:
        found = QStringLiteral("la fine del testo");
        break;
    case SqlToken::Kind::Text:
        found = QStringLiteral("un testo tra apici");
        break;
    case SqlToken::Kind::Number:
        found = QStringLiteral("un numero");
        break;
    default: {
        // The token as written: from its start to the start of the next one.
        const size_t index = size_t(&at - m_tokens.data());
        const qsizetype length = m_tokens[index + 1].position - at.position;
        found = u'"' + m_query.text().mid(at.position, length).trimmed() + u'"';
        break;
    }
    }
    throw m_query.syntaxError(at.position, u"atteso "_qs + expected + u", trovato "_qs + found);
}

void SqlParser::enter(const SqlToken &at)
{
    if (++m_depth > kMaxDepth)
        throw m_query.syntaxError(at.position, QStringLiteral("espressione annidata troppo in profondità"));
}

std::unique_ptr<SelectStatement> SqlParser::select(bool subquery)
{
    auto statement = std::make_unique<SelectStatement>();
    expectWord(u"select");
    if (subquery) {
        statement->field = name(QStringLiteral("il nome del campo della sottoquery"));
    } else {
        expect(SqlToken::Kind::Star, QStringLiteral("\"*\""));
    }
    expectWord(u"from");
    statement->table = name(QStringLiteral("il nome di una tabella"));
    if (subquery && takeWord(u"in")) {
        if (peek().kind != SqlToken::Kind::Text)
            fail(peek(), QStringLiteral("il nome di un file tra apici"));
        statement->externalFile = {peek().text, peek().position};
        take();
    }
    if (takeWord(u"where"))
        statement->where = condition();
    if (!subquery && takeWord(u"order")) {
        expectWord(u"by");
        statement->orderBy.push_back(name(QStringLiteral("il nome di un campo")));
        while (peek().kind == SqlToken::Kind::Comma) {
            take();
            statement->orderBy.push_back(name(QStringLiteral("il nome di un campo")));
        }
    }
    return statement;
}

SelectStatement::Name SqlParser::name(const QString &expected)
{
    const SqlToken &token = peek();
    if (token.kind != SqlToken::Kind::Word || isReserved(token))
        fail(token, expected);
    take();
    return {token.text, token.position};
}

std::unique_ptr<Expression> SqlParser::condition()
{
    enter(peek());
    auto result = chain(Expression::Kind::Or);
    --m_depth;
    return result;
}

// A run of terms joined by Or (or of factors joined by And) becomes one node with many
// children, so long chains do not nest.
std::unique_ptr<Expression> SqlParser::chain(Expression::Kind kind)
{
    const bool isOr = kind == Expression::Kind::Or;
    const qsizetype position = peek().position;
    auto first = isOr ? chain(Expression::Kind::And) : factor();
    if (!peek().isWord(isOr ? u"or" : u"and"))
        return first;
    auto node = std::make_unique<Expression>();
    node->kind = kind;
    node->position = position;
    node->children.push_back(std::move(first));
    while (takeWord(isOr ? u"or" : u"and"))
        node->children.push_back(isOr ? chain(Expression::Kind::And) : factor());
    return node;
}

std::unique_ptr<Expression> SqlParser::factor()
{
    const SqlToken &start = peek();
    if (start.kind == SqlToken::Kind::LeftParen) {
        take();
        auto inner = condition();
        expect(SqlToken::Kind::RightParen, QStringLiteral("\")\""));
        return inner;
    }
    auto left = operand();
    auto node = std::make_unique<Expression>();
    node->position = start.position;
    if (takeWord(u"in")) {
        node->kind = Expression::Kind::InSubquery;
        expect(SqlToken::Kind::LeftParen, QStringLiteral("\"(\""));
        enter(start);
        node->subquery = select(true);
        --m_depth;
        expect(SqlToken::Kind::RightParen, QStringLiteral("\")\""));
        node->children.push_back(std::move(left));
        return node;
    }
    bool ok = false;
    node->comparison = comparisonOf(peek().kind, &ok);
    if (!ok)
        fail(peek(), QStringLiteral("un operatore di confronto (=, <>, <, <=, >, >=) o \"In\""));
    take();
    node->kind = Expression::Kind::Comparison;
    node->children.push_back(std::move(left));
    node->children.push_back(operand());
    return node;
}

std::unique_ptr<Expression> SqlParser::operand()
{
    const SqlToken &token = peek();
    auto node = std::make_unique<Expression>();
    node->position = token.position;
    switch (token.kind) {
    case SqlToken::Kind::Text:
        node->kind = Expression::Kind::Text;
        node->text = token.text;
        take();
        return node;
    case SqlToken::Kind::Number:
        node->kind = Expression::Kind::Number;
        node->number = token.number;
        take();
        return node;
    case SqlToken::Kind::Word:
        if (token.isWord(u"instr"))
            return function(Expression::Kind::Instr, 2);
        if (token.isWord(u"trim"))
            return function(Expression::Kind::Trim, 1);
        if (isReserved(token))
            break;
        node->kind = Expression::Kind::Field;
        node->text = token.text;
        take();
        return node;
    default:
        break;
    }
    fail(token, QStringLiteral("un campo, un testo tra apici o un numero"));
}

std::unique_ptr<Expression> SqlParser::function(Expression::Kind kind, int arguments)
{
    const SqlToken &start = take();
    auto node = std::make_unique<Expression>();
    node->kind = kind;
    node->position = start.position;
    expect(SqlToken::Kind::LeftParen, QStringLiteral("\"(\""));
    enter(start);
    for (int i = 0; i < arguments; ++i) {
        if (i > 0)
            expect(SqlToken::Kind::Comma, QStringLiteral("\",\""));
        node->children.push_back(operand());
    }
    --m_depth;
    expect(SqlToken::Kind::RightParen, QStringLiteral("\")\""));
    return node;
}

} // namespace hoteldb
