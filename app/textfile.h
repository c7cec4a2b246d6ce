#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The lines of a small text file, as movement::textFileLines reads them (encodings, line ends,
// and the refusal of anything but a regular file of a settings file's size).
// Throws SettingsError naming the file when it is refused or cannot be read.
QStringList readTextLines(const QString &path);

// Replaces the file, whole or not at all, with the lines in Windows-1252, each ended by CR LF.
// A line holding a line break or a character Windows-1252 lacks is refused with SettingsError;
// a file that cannot be saved throws the atomic save's error, naming the file.
void writeTextLines(const QString &path, const QStringList &lines);

} // namespace app
