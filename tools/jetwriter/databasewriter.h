#pragma once

#include "description.h"

#include <QByteArray>
#include <QString>

namespace jetwriter {

// The complete .mdb file for the description; the same description always gives the
// same bytes. Throws JetWriteError for anything it cannot store.
QByteArray writeDatabase(const Description &description);

// Writes the file atomically: on any failure the previous file, if any, is left as it was.
void writeDatabaseFile(const Description &description, const QString &path);

} // namespace jetwriter
