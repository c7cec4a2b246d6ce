#include "platformdefaults.h"

#include <QDir>
#include <QStandardPaths>

namespace app {

QString defaultPercorsoFile()
{
    // A desktop in another language names the documents folder otherwise, and a new user may
    // have none yet: the home folder always exists.
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QDir folder = documents.exists() ? documents : QDir::home();
    return folder.filePath(QStringLiteral("DuzizUzazi.xml"));
}

QString defaultComandoWeb()
{
    return QStringLiteral("xdg-open ") + kPortalAddress.toString();
}

} // namespace app
