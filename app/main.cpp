#include "commandlinerun.h"
#include "commandline.h"
#include "hotelfolder.h"
#include "naxdesktop.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Options of its own make the program a command line, which needs no display.
    if (app::wantsCommandLine(argc, argv)) {
        QCoreApplication application(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        // The scheduled run on Linux: in the folder chosen from the menu entry, never asked for.
        if (app::startsFromTheMenu(argc, argv)) {
            try {
                app::hotelFolderForTheCommandLine();
            } catch (const std::exception &e) {
                std::fputs(qUtf8Printable(core::messageOf(e) + u'\n'), stderr);
                return app::kExitFailure;
            }
            arguments.removeAll(QString::fromLatin1(app::kFromTheMenu));
        }
        return app::runCommandLine(arguments);
    }
    QApplication application(argc, argv);
    // Ties the window to the menu entry that starts it, whose icon the task bar then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("naxdesktop"));
    // Qt's own texts (the folder dialog, a field's context menu) in Italian, where installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    // The hotel's folder, where the tool is started, holds the databases and the settings; the
    // menu entry starts it in the folder chosen once.
    QDir folder = QDir::current();
    if (app::startsFromTheMenu(argc, argv)) {
        const std::optional<QDir> hotel = app::hotelFolderForTheMenu(app::choosesAgain(argc, argv));
        if (!hotel)
            return 0;
        folder = *hotel;
    }
    app::SystemBrowserLauncher browser;
    app::NaxDesktop window(folder, browser);
    window.start();
    return application.exec();
}
