#include "filestamp.h"

#include <QFileInfo>

namespace hoteldb {

FileStamp FileStamp::of(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

} // namespace hoteldb
