#include "platformdefaults.h"

#include <QDir>
#include <QStandardPaths>

namespace app {

QString defaultPercorsoFile()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).filePath(QStringLiteral("DuzizUzazi.xml"));
}

QString defaultComandoWeb()
{
    return QStringLiteral("xdg-open ") + kPortalAddress.toString();
}

} // namespace app
