#pragma once

#include <QString>
#include <QStringList>

namespace core {

// The largest settings or override file read: real ones hold a few lines, so anything larger
// is no such file, and reading it would only cost time and memory.
constexpr qint64 kMaxTextFileSize = 512 * 1024;

// The lines of a text file, as textLines reads its bytes. Anything but a regular file (or a
// link to one) of at most kMaxTextFileSize bytes is refused before it is read: a pipe would
// block the opening until someone wrote to it, a device would never end. Throws OperatorError
// naming the file when it is refused or cannot be read.
QStringList textFileLines(const QString &path);

// Replaces the file, whole or not at all, with the lines in Windows-1252, each ended by CR LF.
// A line holding a line break or a character Windows-1252 lacks is refused with OperatorError
// naming the file; so is a file that cannot be saved.
void writeTextLines(const QString &path, const QStringList &lines);

} // namespace core
