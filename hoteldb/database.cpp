#include "database.h"

#include "selectexecutor.h"
#include "sqlparser.h"

#include <QFileInfo>

namespace hoteldb {

namespace {

bool dependsOnOtherTables(const Expression &expression)
{
    if (expression.kind == Expression::Kind::InSubquery)
        return true;
    return std::any_of(expression.children.begin(), expression.children.end(),
                       [](const auto &child) { return dependsOnOtherTables(*child); });
}

} // namespace

Database::Database(DBEngine &engine, QString path) : m_context(engine, std::move(path)) {}

Recordset Database::OpenRecordset(const QString &source)
{
    if (!m_open)
        throw DbError(u"Il database %1 è già stato chiuso.", {QFileInfo(path()).fileName()});
    if (!SqlParser::isSelectText(source))
        return Recordset(m_context.table({source, 0}), nullptr, m_context);

    const QueryText text(source);
    const auto statement = SqlParser::parseSelect(text);
    auto table = m_context.table(statement->table);
    auto rows = table->cachedSelect(source);
    if (!rows) {
        rows = SelectExecutor::run(*statement, *table, m_context, text);
        // A subquery reads another table, which may change while this one does not.
        if (rows && !(statement->where && dependsOnOtherTables(*statement->where)))
            table->storeSelect(source, rows);
    }
    return Recordset(std::move(table), std::move(rows), m_context);
}

void Database::Close()
{
    m_open = false;
}

} // namespace hoteldb
