#include "movementfile.h"

#include "classicfile.h"
#include "closedfile.h"
#include "daytext.h"
#include "outputfile.h"
#include "roomrange.h"
#include "savefile.h"
#include "schemafile.h"
#include "structureselection.h"

namespace movement {

std::pair<QDate, QDate> checkedFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args)
{
    const QDate typed = checkedDay(args.DallaData, kDallaData);
    // Such a range would write a file with no room, reported as a day of zero rooms available.
    checkRoomRange(args.DallaCamera, args.AllaCamera);
    // Every file needs the structure: for its code or for its figures.
    selectedStructure(context.selector);
    if (kind != FileKind::Schema)
        return checkedRange(args.DallaData, args.AllaData);
    const QDate reported = reportedDay(kind, typed);
    return {reported, reported};
}

QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           FileFigures *reported)
{
    FileFigures figures;
    // The file is named after the first day it reports.
    const QString path = outputFilePath(context.folder, context.PercorsoFile, checkedFile(kind, context, args).first);
    removeLeftovers(context.folder, context.PercorsoFile);
    core::saveAtomically(path, [&](QIODevice &out) {
        switch (kind) {
        case FileKind::Classic: figures = CreaMovimentiClassico(context, args, out); break;
        case FileKind::Schema: figures = CreaMovimentiSchema(context, args, out); break;
        case FileKind::Closed: figures = CreaMovimentiChiusa(context, args, out); break;
        }
    });
    if (reported)
        *reported = figures;
    return path;
}

} // namespace movement
