#pragma once

#include "cachedtable.h"
#include "database.h"
#include "filestamp.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace hoteldb {

class JetReader;

// The one database engine of the process, created on first use. It keeps every table it has
// decoded, with the indexes and query results built on it, for as long as its file keeps the
// same size and modification time: opening a database again and querying it again reuse them.
class DBEngine
{
public:
    static DBEngine &instance();

    DBEngine(const DBEngine &) = delete;
    DBEngine &operator=(const DBEngine &) = delete;

    // A bare file name resolves against the current folder; a path is used as it is.
    Database OpenDatabase(const QString &fileName);

    // How many tables have been decoded from their files since the engine was created.
    qint64 decodedTables() const { return m_decodedTables; }

    // Forgets every decoded table, index and query result, as if nothing had been read yet.
    void dropCache() { m_files.clear(); }
    // Off, every OpenDatabase decodes its file again: only for measuring what the cache saves.
    void setCaching(bool on) { m_caching = on; }

    // The table of that name (case does not matter) in the database file at path.
    std::shared_ptr<CachedTable> table(const QString &path, const QString &name);

    // One run reads at a time: the tables decoded and the indexes built on them on first use
    // are the process's, which the window's count of the recent files in the background shares
    // with the run the operator starts. A run holds this for as long as it reads.
    [[nodiscard]] std::unique_lock<std::mutex> reading() { return std::unique_lock(m_reading); }

private:
    struct OpenFile
    {
        FileStamp stamp; // of the file the tables were read from
        std::shared_ptr<JetReader> reader; // held only until a table is read: it keeps the whole file image
        QHash<QString, std::shared_ptr<CachedTable>> tables; // by lower-case name
    };

    DBEngine() = default;
    OpenFile &file(const QString &path);
    static JetReader &reader(OpenFile &entry, const QString &path);

    QHash<QString, OpenFile> m_files;
    qint64 m_decodedTables = 0;
    bool m_caching = true;
    std::mutex m_reading;
};

} // namespace hoteldb
