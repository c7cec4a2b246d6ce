#pragma once

#include "dberror.h"

#include <QString>

namespace hoteldb {

// The text of a query or of a search criterion, kept to name it in error messages.
class QueryText
{
public:
    explicit QueryText(QString text) : m_text(std::move(text)) {}

    const QString &text() const { return m_text; }
    // The text as it can be shown in a message: control characters made visible, a long text cut.
    QString excerpt() const;
    // position is 0-based; the message counts characters from 1 as the operator does.
    DbError syntaxError(qsizetype position, const QString &detail) const;
    DbError typeMismatch(qsizetype position) const;

private:
    QString m_text;
};

} // namespace hoteldb
