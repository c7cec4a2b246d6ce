#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

namespace core {

// Writes a file whole or not at all: write() fills a temporary file beside the target, which
// replaces the target only once write() has returned and every byte reached the disk. When
// write() throws or the file cannot be written (a full disk, a folder that cannot be written),
// nothing is left behind and an earlier file of that name stays as it was; the error goes on
// as OperatorError saying in Italian what went wrong with which file or folder.
void saveAtomically(const QString &path, const std::function<void(QIODevice &)> &write);

} // namespace core
