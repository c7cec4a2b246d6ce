#pragma once

#include <QDateTime>
#include <QString>

namespace hoteldb {

// What tells one state of a file from the next without reading it: its size and the time it
// was last written. A missing file has size -1.
struct FileStamp
{
    qint64 size = -1;
    QDateTime modified;

    static FileStamp of(const QString &path);
    bool operator==(const FileStamp &other) const = default;
};

} // namespace hoteldb
