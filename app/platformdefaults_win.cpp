#include "platformdefaults.h"

namespace app {

QString defaultPercorsoFile()
{
    return QStringLiteral("C:\\DuzizUzazi.xml");
}

QString defaultComandoWeb()
{
    return QStringLiteral("C:\\Programmi\\Internet Explorer\\iexplore.exe ") + kPortalAddress.toString();
}

} // namespace app
