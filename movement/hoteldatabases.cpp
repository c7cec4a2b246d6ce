#include "hoteldatabases.h"

#include "dbengine.h"

namespace movement {

hoteldb::Database openDatabase(const QDir &folder, const QString &fileName)
{
    return hoteldb::DBEngine::instance().OpenDatabase(folder.absoluteFilePath(fileName));
}

QString sqlText(const QString &value)
{
    QString text = value;
    return text.replace(u'\'', QStringLiteral("''"));
}

} // namespace movement
