// Writes a closed-structure file as "Crea File" does, without the window, so that a test can
// interrupt a long write: movementwriter <folder> <first day> <last day>.

#include "movementfile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4) {
        std::fputs("movementwriter <folder> <first day> <last day>\n", stderr);
        return 2;
    }
    movement::MovementContext context;
    context.folder = QDir(args[1]);
    context.PercorsoFile = QStringLiteral("DuzizUzazi.xml");
    context.CodiceStruttura = QStringLiteral("ABC123");
    context.selector = QStringLiteral("-");
    try {
        movement::createMovementFile(movement::FileKind::Closed, context, {args[2], args[3], QString(), QString()});
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
