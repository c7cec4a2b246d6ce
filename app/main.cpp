#include "naxdesktop.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Ties the window to the menu entry that starts it, whose icon the task bar then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("naxdesktop"));
    // The hotel's folder, where the tool is started, holds the databases and the settings.
    app::NaxDesktop window(QDir::current());
    window.start();
    return application.exec();
}
