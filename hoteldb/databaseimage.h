#pragma once

#include "filestamp.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace hoteldb {

// The bytes of a database file read whole, and the state of the file they belong to.
struct DatabaseImage
{
    QByteArray bytes;
    FileStamp stamp;

    // Reads the file again while it changes under the reading (the hotel program saving it),
    // a few times with a pause between; throws DbError, naming the file, for a file that is
    // missing, cannot be read or keeps changing. `afterRead` runs after each reading, before
    // the file is looked at again.
    static DatabaseImage read(const QString &path, const std::function<void()> &afterRead = {});

    static constexpr int kAttempts = 5;
};

} // namespace hoteldb
