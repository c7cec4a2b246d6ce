#pragma once

#include <QString>
#include <QStringList>

namespace movement {

// The largest settings or override file read: real ones hold a few lines, so anything larger
// is no such file, and reading it would only cost time and memory.
constexpr qint64 kMaxTextFileSize = 512 * 1024;

// The lines of a text file, as textLines reads its bytes. Anything but a regular file (or a
// link to one) of at most kMaxTextFileSize bytes is refused before it is read: a pipe would
// block the opening until someone wrote to it, a device would never end. Throws MovementError
// naming the file when it is refused or cannot be read.
QStringList textFileLines(const QString &path);

} // namespace movement
