#include "naxdesktop.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The hotel's folder, where the tool is started, holds the databases and the settings.
    app::NaxDesktop window(QDir::current());
    window.start();
    return application.exec();
}
