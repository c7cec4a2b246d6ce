#include "dbengine.h"

#include "jetreader.h"

#include <QFileInfo>

namespace hoteldb {

DBEngine &DBEngine::instance()
{
    static DBEngine engine;
    return engine;
}

Database DBEngine::OpenDatabase(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    if (!m_caching)
        m_files.remove(path);
    file(path);
    return Database(*this, path);
}

DBEngine::OpenFile &DBEngine::file(const QString &path)
{
    const auto it = m_files.find(path);
    if (it != m_files.end() && it->stamp == FileStamp::of(path))
        return *it;
    m_files.remove(path);
    OpenFile entry;
    entry.reader = std::make_shared<JetReader>(path); // names a missing, foreign, damaged or changing file
    entry.stamp = entry.reader->stamp();
    return *m_files.insert(path, std::move(entry));
}

JetReader &DBEngine::reader(OpenFile &entry, const QString &path)
{
    if (!entry.reader)
        entry.reader = std::make_shared<JetReader>(path);
    return *entry.reader;
}

std::shared_ptr<CachedTable> DBEngine::table(const QString &path, const QString &name)
{
    OpenFile &entry = file(path);
    const QString key = name.toLower();
    if (auto cached = entry.tables.value(key))
        return cached;
    // The reader matches names without regard to case and names a missing table.
    auto data = reader(entry, path).readTable(name);
    entry.reader.reset();
    ++m_decodedTables;
    auto table = std::make_shared<CachedTable>(std::move(data), QFileInfo(path).fileName());
    entry.tables.insert(key, table);
    return table;
}

} // namespace hoteldb
