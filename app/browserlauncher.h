#pragma once

#include <QDir>
#include <QString>
#include <QUrl>

namespace app {

// What opens the portal's page after a file is written. The program gives the window the
// system's; a test gives it one that records what it was asked.
class BrowserLauncher
{
public:
    virtual ~BrowserLauncher() = default;
    // Opens a web address in the system's default browser; false when nothing could open it.
    virtual bool openAddress(const QUrl &address) = 0;
    // Starts a command line in the folder, its window shown, without waiting for it. A program
    // that cannot be started throws OperatorError naming it.
    virtual void startCommand(const QString &commandLine, const QDir &folder) = 0;
};

// The system's browser and programs. How a command line names its program differs between
// systems (browserlauncher_unix.cpp, browserlauncher_win.cpp).
class SystemBrowserLauncher final : public BrowserLauncher
{
public:
    bool openAddress(const QUrl &address) override;
    void startCommand(const QString &commandLine, const QDir &folder) override;
};

} // namespace app
