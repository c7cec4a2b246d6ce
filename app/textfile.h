#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The lines of a small text file, without their line ends. The bytes are read in the encoding
// a byte-order mark names (UTF-8, UTF-16, UTF-32), else as UTF-8 when they are valid UTF-8 and
// as Windows-1252 otherwise; CR LF, LF and CR all end a line.
// Throws SettingsError naming the file when it cannot be read.
QStringList readTextLines(const QString &path);

// Replaces the file, whole or not at all, with the lines in Windows-1252, each ended by CR LF.
// A line holding a line break or a character Windows-1252 lacks is refused with SettingsError;
// a file that cannot be saved throws the atomic save's error, naming the file.
void writeTextLines(const QString &path, const QStringList &lines);

} // namespace app
