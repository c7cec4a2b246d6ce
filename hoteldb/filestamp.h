#pragma once

#include <QString>

namespace hoteldb {

// What tells one state of a file from the next without reading it: its size and the time it
// was last written, in the file system's own units. A missing file has size -1.
struct FileStamp
{
    qint64 size = -1;
    qint64 modified = 0;

    static FileStamp of(const QString &path);
    bool operator==(const FileStamp &other) const = default;
};

} // namespace hoteldb
