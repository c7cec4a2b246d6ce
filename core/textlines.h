#pragma once

#include <QByteArray>
#include <QStringList>

namespace core {

// The lines of a small text file's bytes, without their line ends. The bytes are read in the
// encoding a byte-order mark names (UTF-8, UTF-16, UTF-32), else as UTF-8 when they are valid
// UTF-8 and as Windows-1252 otherwise; CR LF, LF and CR all end a line.
QStringList textLines(const QByteArray &bytes);

} // namespace core
