#include "commandlinerun.h"
#include "commandline.h"
#include "naxdesktop.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Options of its own make the program a command line, which needs no display.
    if (app::wantsCommandLine(argc, argv)) {
        QCoreApplication application(argc, argv);
        return app::runCommandLine(QCoreApplication::arguments().mid(1));
    }
    QApplication application(argc, argv);
    // Ties the window to the menu entry that starts it, whose icon the task bar then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("naxdesktop"));
    // The hotel's folder, where the tool is started, holds the databases and the settings.
    app::NaxDesktop window(QDir::current());
    window.start();
    return application.exec();
}
