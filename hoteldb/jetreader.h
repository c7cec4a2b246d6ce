#pragma once

#include "filestamp.h"
#include "tabledata.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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
    // The same on a file image in memory; displayName stands for the file in messages.
    static JetReader fromImage(QByteArray image, QString displayName);

    JetReader(JetReader &&) noexcept;
    JetReader &operator=(JetReader &&) noexcept;
    ~JetReader();

    // The state of the file the tables come from; empty for an image.
    const FileStamp &stamp() const { return m_stamp; }

    // The user tables, system tables left out.
    QStringList tableNames() const;
    // The whole table; the name's case does not matter. Throws DbError for a missing table
    // or a damaged one.
    std::shared_ptr<const TableData> readTable(const QString &name) const;

private:
    JetReader(DatabaseImage image, QString displayName);
    JetReader(QByteArray image, QString displayName, FileStamp stamp = {});

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
