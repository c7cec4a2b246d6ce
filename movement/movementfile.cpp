#include "movementfile.h"

#include "classicfile.h"
#include "closedfile.h"
#include "daytext.h"
#include "dbengine.h"
#include "hashingwriter.h"
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

FileFigures generateMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    const auto reading = hoteldb::DBEngine::instance().reading();
    switch (kind) {
    case FileKind::Classic: return CreaMovimentiClassico(context, args, out);
    case FileKind::Schema: return CreaMovimentiSchema(context, args, out);
    case FileKind::Closed: break;
    }
    return CreaMovimentiChiusa(context, args, out);
}

QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           WrittenFile *written)
{
    WrittenFile file;
    // The file is named after the first day it reports.
    const QString path = outputFilePath(context.folder, context.PercorsoFile, checkedFile(kind, context, args).first);
    removeLeftovers(context.folder, context.PercorsoFile);
    core::saveAtomically(path, [&](QIODevice &out) {
        core::HashingWriter hashed(out, QCryptographicHash::Sha256);
        file.figures = generateMovementFile(kind, context, args, hashed);
        file.sha256 = QString::fromLatin1(hashed.result().toHex());
        file.size = hashed.written();
    });
    if (written)
        *written = file;
    return path;
}

} // namespace movement
