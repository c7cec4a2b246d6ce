#include "movementfile.h"

#include "closedfile.h"
#include "daytext.h"
#include "movementerror.h"
#include "outputfile.h"

namespace movement {

QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args)
{
    switch (kind) {
    case FileKind::Classic:
        throw MovementError(QStringLiteral(
            "Il file giornaliero dei movimenti non è ancora disponibile in questa versione: "
            "nessun file è stato scritto."));
    case FileKind::Schema:
        throw MovementError(QStringLiteral(
            "Il file della fase di Start up non è ancora disponibile in questa versione: "
            "nessun file è stato scritto."));
    case FileKind::Closed:
        break;
    }
    const QString path = outputFilePath(context.folder, context.PercorsoFile,
                                        checkedDay(args.DallaData, kDallaData));
    saveAtomically(path, [&](QIODevice &out) { CreaMovimentiChiusa(context, args, out); });
    return path;
}

} // namespace movement
