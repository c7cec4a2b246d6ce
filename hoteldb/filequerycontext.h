#pragma once

#include "querycontext.h"

#include <QString>

namespace hoteldb {

class DBEngine;

// The tables of one database file, and of the files beside it, as the engine keeps them.
class FileQueryContext : public QueryContext
{
public:
    FileQueryContext(DBEngine &engine, QString path);

    const QString &path() const { return m_path; }
    std::shared_ptr<CachedTable> table(const SelectStatement::Name &name) override;
    std::unique_ptr<QueryContext> sibling(const SelectStatement::Name &file) override;

private:
    DBEngine *m_engine;
    QString m_path;
};

} // namespace hoteldb
