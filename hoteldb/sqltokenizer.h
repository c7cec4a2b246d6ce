#pragma once

#include "querytext.h"
#include "sqltoken.h"

#include <vector>

namespace hoteldb {

// Splits a query or criterion text into words, text literals ('...' with '' for a quote),
// numbers and operators. Anything else is a syntax error naming its position.
class SqlTokenizer
{
public:
    explicit SqlTokenizer(const QueryText &query);
    std::vector<SqlToken> tokenize();

private:
    void scanOne(SqlToken &token);
    SqlToken::Kind singleCharacter(QChar c) const;
    void scanText(SqlToken &token);
    void scanNumber(SqlToken &token);

    const QueryText &m_query;
    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace hoteldb
