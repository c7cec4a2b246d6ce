#include "movementfile.h"

#include "classicfile.h"
#include "closedfile.h"
#include "daytext.h"
#include "outputfile.h"
#include "savefile.h"
#include "schemafile.h"

namespace movement {

QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args)
{
    const QDate first = checkedDay(args.DallaData, kDallaData);
    // The start-up file is named after the day it reports, the day before the typed one.
    const QDate named = kind == FileKind::Schema ? first.addDays(-1) : first;
    const QString path = outputFilePath(context.folder, context.PercorsoFile, named);
    removeLeftovers(context.folder, context.PercorsoFile);
    core::saveAtomically(path, [&](QIODevice &out) {
        switch (kind) {
        case FileKind::Classic: CreaMovimentiClassico(context, args, out); break;
        case FileKind::Schema: CreaMovimentiSchema(context, args, out); break;
        case FileKind::Closed: CreaMovimentiChiusa(context, args, out); break;
        }
    });
    return path;
}

} // namespace movement
