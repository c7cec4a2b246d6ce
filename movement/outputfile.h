#pragma once

#include <QDate>
#include <QDir>
#include <QIODevice>
#include <QString>

#include <functional>

namespace movement {

// The movement file for a day: PercorsoFile less its last four characters, the dashed day
// and ".xml", resolved against the working folder. Throws MovementError, naming the path,
// when PercorsoFile is shorter than four characters, holds a control character or its folder
// does not exist.
QString outputFilePath(const QDir &folder, const QString &percorsoFile, QDate day);

// Writes a file whole or not at all: write() fills a temporary file beside the target, which
// replaces the target only once write() has returned and every byte reached the disk. When
// write() throws or the file cannot be written (a full disk, a folder that cannot be written),
// nothing is left behind and an earlier file of that name stays as it was; the error goes on
// as MovementError saying in Italian what went wrong with which file or folder.
void saveAtomically(const QString &path, const std::function<void(QIODevice &)> &write);

// Removes what interrupted runs left beside the movement files of PercorsoFile: the atomic
// save's temporary files, named after a day's file plus "." and six letters or digits, that
// hold the beginning of a movement file never completed. Files of any other name or content
// (a copy the operator made, another program's) stay; nothing is reported.
void removeLeftovers(const QDir &folder, const QString &percorsoFile);

} // namespace movement
