#pragma once

#include "filequerycontext.h"
#include "recordset.h"

#include <QString>

namespace hoteldb {

class DBEngine;

// An open database file, from DBEngine::OpenDatabase until Close(). Read only.
class Database
{
public:
    // source is a table name or a "Select * From ..." text; the recordset is a dynaset.
    Recordset OpenRecordset(const QString &source);
    void Close();

    const QString &path() const { return m_context.path(); }

private:
    friend class DBEngine;
    Database(DBEngine &engine, QString path);

    FileQueryContext m_context;
    bool m_open = true;
};

} // namespace hoteldb
