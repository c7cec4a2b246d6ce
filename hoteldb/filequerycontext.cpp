#include "filequerycontext.h"

#include "dbengine.h"

#include <QDir>
#include <QFileInfo>

namespace hoteldb {

FileQueryContext::FileQueryContext(DBEngine &engine, QString path)
    : m_engine(&engine), m_path(std::move(path))
{
}

std::shared_ptr<CachedTable> FileQueryContext::table(const SelectStatement::Name &name)
{
    return m_engine->table(m_path, name.text);
}

std::unique_ptr<QueryContext> FileQueryContext::sibling(const SelectStatement::Name &file)
{
    // Only a file of the same folder: a query text must not reach anywhere else on the disk.
    const QString &name = file.text;
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(u'\\')
        || name.contains(u':')) {
        throw DbError(u"Il database \"%1\" della sottoquery deve essere un file della cartella di %2.",
                      {name, QFileInfo(m_path).fileName()});
    }
    return std::make_unique<FileQueryContext>(*m_engine, QFileInfo(m_path).dir().filePath(name));
}

} // namespace hoteldb
