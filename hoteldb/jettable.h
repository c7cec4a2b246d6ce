#pragma once

#include "dberror.h"
#include "jetformat.h"
#include "tabledata.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace hoteldb::jet {

class JetFile;

// One table of a Jet file: its column layout, read from its definition pages, and its rows,
// decoded from the data pages its usage map lists. Every page number is checked against the
// file, and every count and offset against the bytes at hand, before it is used: a damaged
// file is reported, never misread or read outside its bytes.
class JetTable
{
public:
    // Throws DbError when the definition is missing or damaged.
    JetTable(const JetFile &file, QString name, quint32 definitionPage);

    const QList<ColumnLayout> &columns() const { return m_columns; }

    // Every row in stored order; only the named columns when `wanted` is not empty.
    TableData read(const QStringList &wanted = {}) const;

private:
    QByteArray definition() const;
    void readLayout();
    void checkColumns(int maxColumns, int variableColumns) const;
    QList<quint32> dataPages() const;
    QByteArrayView rowPage(quint32 n) const;
    void checkNoPageLeftOut(const QList<quint32> &listed) const;
    QByteArray longValue(const ColumnLayout &column, QByteArrayView field, QSet<quint64> &usedRows) const;
    void setCell(TableData &data, int column, const ColumnLayout &layout, QByteArrayView bytes,
                 QSet<quint64> &usedLongRows) const;
    QString owner() const;
    DbError badDefinition() const;
    DbError badColumn(const ColumnLayout &column, const QString &what) const;

    const JetFile &m_file;
    QString m_name;
    quint32 m_definitionPage = 0;
    quint32 m_usageMap = 0; // row pointer
    QList<ColumnLayout> m_columns;
    bool m_hasVariableColumns = false;
};

} // namespace hoteldb::jet
