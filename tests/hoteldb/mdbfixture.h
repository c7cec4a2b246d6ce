#pragma once

// Writes the .mdb files the database tests query, through the project's own Jet writer.

#include "dbengine.h"
#include "jetwriter.h"
#include "recordset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

namespace mdbfixture {

inline jetwriter::Column text(const QString &name, int size = 50)
{
    return {name, jetwriter::ColumnType::Text, size};
}

inline jetwriter::Column column(const QString &name, jetwriter::ColumnType type)
{
    return {name, type, 0};
}

inline void write(const QString &path, const QList<jetwriter::Table> &tables)
{
    jetwriter::Description description;
    description.tables = tables;
    jetwriter::writeDatabaseFile(description, path);
}

// A recordset over source that outlives its database, as the hotel's code keeps them.
inline hoteldb::Recordset openRecordset(const QString &path, const QString &source)
{
    hoteldb::Database database = hoteldb::DBEngine::instance().OpenDatabase(path);
    hoteldb::Recordset recordset = database.OpenRecordset(source);
    database.Close();
    return recordset;
}

// The values of a whole-number field over every record that criteria finds, in the recordset's order.
inline QList<qint64> findAll(hoteldb::Recordset recordset, const QString &criteria, const QString &field = "Id")
{
    QList<qint64> found;
    recordset.FindFirst(criteria);
    while (!recordset.NoMatch()) {
        found << recordset.Fields(field).integerValue();
        recordset.FindNext(criteria);
    }
    return found;
}

// Runs call and checks that it fails with a DbError whose message holds every one of parts.
inline void expectDbError(const std::function<void()> &call, const QStringList &parts)
{
    try {
        call();
        QFAIL("no error");
    } catch (const hoteldb::DbError &e) {
        for (const QString &part : parts)
            QVERIFY2(e.message().contains(part), qPrintable(e.message()));
    }
}

} // namespace mdbfixture
