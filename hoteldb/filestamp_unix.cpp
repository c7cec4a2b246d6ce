#include "filestamp.h"

#include <filesystem>

namespace hoteldb {

FileStamp FileStamp::of(const QString &path)
{
    // The engine asks at every opening: the standard library gives the time as stored, without
    // the time-zone conversion that a QDateTime costs.
    const std::filesystem::path file(path.toStdU16String());
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error)
        return {};
    // A folder has no size of its own, yet it is there.
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    return {error ? 0 : qint64(size), qint64(written.time_since_epoch().count())};
}

} // namespace hoteldb
