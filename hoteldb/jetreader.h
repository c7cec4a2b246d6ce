#pragma once

#include "filestamp.h"
#include "tabledata.h"

#include <QList>
#include <QString>

#include <memory>

namespace hoteldb {

struct DatabaseImage;
namespace jet {
class JetFile;
}

// Reads the tables of a Microsoft Jet 3 or Jet 4 database (.mdb) whole, in stored order.
// The file is read once into memory and never written, locked or changed, since the hotel
// program may hold it open. Every failure is a DbError whose message names the file, and
// the table where there is one. One thread at a time.
class JetReader
{
public:
    // Throws DbError for a missing file, a file that is not a Jet database, a damaged one,
    // one protected by a password, one that keeps changing while it is read.
    explicit JetReader(const QString &path);

    JetReader(JetReader &&) noexcept;
    JetReader &operator=(JetReader &&) noexcept;
    ~JetReader();

    // The state of the file the tables come from.
    const FileStamp &stamp() const { return m_stamp; }

    // The whole user table; the name's case does not matter. Throws DbError for a missing table,
    // a system table or a damaged one.
    std::shared_ptr<const TableData> readTable(const QString &name) const;

private:
    JetReader(DatabaseImage image, QString displayName);

    struct Table
    {
        QString name;
        quint32 definitionPage = 0;
    };

    FileStamp m_stamp;
    std::unique_ptr<jet::JetFile> m_file;
    QList<Table> m_tables;
};

} // namespace hoteldb
