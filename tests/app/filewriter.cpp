// Writes a file as the tool does, without the window, so that a test can interrupt a long write
// or run it on a disk without room:
//   filewriter movement <folder> <first day> <last day>   a closed-structure file, as "Crea File"
//   filewriter settings <folder>                          "NaxSetup.txt", as the settings menu
// A refusal prints the tool's message on the error stream and ends with status 1.

#include "movementfile.h"
#include "settings.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    const bool movementFile = args.size() == 5 && args[1] == u"movement";
    if (!movementFile && !(args.size() == 3 && args[1] == u"settings")) {
        std::fputs("filewriter movement <folder> <first day> <last day> | filewriter settings <folder>\n", stderr);
        return 2;
    }
    const QDir folder(args[2]);
    try {
        if (movementFile) {
            movement::MovementContext context;
            context.folder = folder;
            context.PercorsoFile = QStringLiteral("DuzizUzazi.xml");
            context.CodiceStruttura = QStringLiteral("ABC123");
            context.selector = QStringLiteral("-");
            movement::createMovementFile(movement::FileKind::Closed, context, {args[3], args[4], QString(), QString()});
        } else {
            app::writeSettingsFile(folder, app::defaultSettings());
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
