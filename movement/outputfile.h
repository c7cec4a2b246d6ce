#pragma once

#include <QDate>
#include <QDir>
#include <QString>

namespace movement {

// The movement file for a day: PercorsoFile less its last four characters, the dashed day
// and ".xml", resolved against the working folder. Throws OperatorError, naming the path,
// when PercorsoFile is shorter than four characters, holds a control character or its folder
// does not exist.
QString outputFilePath(const QDir &folder, const QString &percorsoFile, QDate day);

// Removes what interrupted runs left beside the movement files of PercorsoFile: the atomic
// save's temporary files, named after a day's file plus "." and six letters or digits, that
// hold the beginning of a movement file never completed. Files of any other name or content
// (a copy the operator made, another program's) stay; nothing is reported.
void removeLeftovers(const QDir &folder, const QString &percorsoFile);

} // namespace movement
