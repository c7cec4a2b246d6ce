#include "sqltokenizer.h"

#include <cmath>

namespace hoteldb {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isWordStart(QChar c)
{
    return c == u'_' || (!c.isSurrogate() && c.isLetter());
}

bool isWordPart(QChar c)
{
    return isWordStart(c) || isDigit(c);
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

SqlTokenizer::SqlTokenizer(const QueryText &query) : m_query(query), m_text(query.text()) {}

std::vector<SqlToken> SqlTokenizer::tokenize()
{
    std::vector<SqlToken> tokens;
    while (true) {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos]))
            ++m_pos;
        SqlToken token;
        token.position = m_pos;
        if (m_pos == m_text.size()) {
            tokens.push_back(token);
            return tokens;
        }
        scanOne(token);
        tokens.push_back(std::move(token));
    }
}

void SqlTokenizer::scanOne(SqlToken &token)
{
    const QChar c = m_text[m_pos];
    const QChar next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : QChar();
    if (isWordStart(c)) {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isWordPart(m_text[m_pos]))
            ++m_pos;
        token.kind = SqlToken::Kind::Word;
        token.text = m_text.mid(start, m_pos - start);
    } else if (c == u'\'') {
        scanText(token);
    } else if (isDigit(c) || (c == u'-' && isDigit(next))) {
        scanNumber(token);
    } else if (c == u'<' && next == u'>') {
        token.kind = SqlToken::Kind::NotEqual;
        m_pos += 2;
    } else if (c == u'<' && next == u'=') {
        token.kind = SqlToken::Kind::LessEqual;
        m_pos += 2;
    } else if (c == u'>' && next == u'=') {
        token.kind = SqlToken::Kind::GreaterEqual;
        m_pos += 2;
    } else {
        token.kind = singleCharacter(c);
        ++m_pos;
    }
}

SqlToken::Kind SqlTokenizer::singleCharacter(QChar c) const
{
    switch (c.unicode()) {
    case u'*': return SqlToken::Kind::Star;
    case u',': return SqlToken::Kind::Comma;
    case u'(': return SqlToken::Kind::LeftParen;
    case u')': return SqlToken::Kind::RightParen;
    case u';': return SqlToken::Kind::Semicolon;
    case u'=': return SqlToken::Kind::Equal;
    case u'<': return SqlToken::Kind::Less;
    case u'>': return SqlToken::Kind::Greater;
    default:
        break;
    }
    const QString shown = c.unicode() < 0x20 || c.isSurrogate() ? u"di codice "_qs + QString::number(c.unicode())
                                                                : u'"' + QString(c) + u'"';
    throw m_query.syntaxError(m_pos, u"carattere "_qs + shown + u" non ammesso"_qs);
}

void SqlTokenizer::scanText(SqlToken &token)
{
    const qsizetype start = m_pos++;
    QString value;
    while (true) {
        if (m_pos >= m_text.size())
            throw m_query.syntaxError(start, QStringLiteral("testo tra apici non chiuso"));
        const QChar c = m_text[m_pos++];
        if (c != u'\'') {
            value += c;
        } else if (m_pos < m_text.size() && m_text[m_pos] == u'\'') {
            value += c;
            ++m_pos;
        } else {
            break;
        }
    }
    token.kind = SqlToken::Kind::Text;
    token.text = std::move(value);
}

void SqlTokenizer::scanNumber(SqlToken &token)
{
    const qsizetype start = m_pos;
    if (m_text[m_pos] == u'-')
        ++m_pos;
    while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
        ++m_pos;
    if (m_pos + 1 < m_text.size() && m_text[m_pos] == u'.' && isDigit(m_text[m_pos + 1])) {
        ++m_pos;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
            ++m_pos;
    }
    if (m_pos < m_text.size() && (isWordPart(m_text[m_pos]) || m_text[m_pos] == u'.'))
        throw m_query.syntaxError(start, QStringLiteral("numero non valido"));
    const QStringView digits = QStringView(m_text).sliced(start, m_pos - start);
    // Digits alone that fit make an integer; a fraction, or more digits than one holds, a real.
    bool ok = false;
    const qint64 whole = digits.toLongLong(&ok);
    token.kind = SqlToken::Kind::Number;
    if (ok) {
        token.number = Value::integer(whole);
        return;
    }
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw m_query.syntaxError(start, QStringLiteral("numero troppo grande"));
    token.number = Value::real(value);
}

} // namespace hoteldb
