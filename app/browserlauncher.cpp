#include "browserlauncher.h"

#include <QDesktopServices>

namespace app {

bool SystemBrowserLauncher::openAddress(const QUrl &address)
{
    return QDesktopServices::openUrl(address);
}

} // namespace app
