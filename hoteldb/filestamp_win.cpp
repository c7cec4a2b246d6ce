#include "filestamp.h"

#include <QDir>

#include <windows.h>

namespace hoteldb {

FileStamp FileStamp::of(const QString &path)
{
    // The system's own record of the file, to the 100 nanoseconds it keeps: the C++ library of
    // MinGW gives whole seconds, and a database saved twice in a second at the same size would
    // pass for unchanged.
    const QString native = QDir::toNativeSeparators(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(reinterpret_cast<const wchar_t *>(native.utf16()), GetFileExInfoStandard, &data))
        return {};
    // A folder has no size of its own, yet it is there.
    const bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    const qint64 size = folder ? 0 : (qint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const qint64 written = (qint64(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return {size, written};
}

} // namespace hoteldb
