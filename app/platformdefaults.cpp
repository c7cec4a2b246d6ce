#include "platformdefaults.h"

#include <QDir>
#include <QStandardPaths>

namespace app {

QString defaultPercorsoFile()
{
    // Windows lets a program without elevation create folders at the root of C:, not files: the
    // documents folder can be written on every system, and the portal's upload dialog opens
    // there. A desktop in another language names it otherwise, and a new user may have none
    // yet: the home folder always exists.
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QDir folder = documents.exists() ? documents : QDir::home();
    return QDir::toNativeSeparators(folder.filePath(QStringLiteral("DuzizUzazi.xml")));
}

} // namespace app
