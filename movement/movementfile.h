#pragma once

#include "filefigures.h"
#include "movementcontext.h"

#include <QIODevice>
#include <QString>

namespace movement {

enum class FileKind {
    Classic, // the daily movement file for a range of days
    Schema,  // the start-up file in the "movimentogiornaliero-0.5.xsd" layout
    Closed,  // the file for days on which the structure was closed
};

// The first day a file of the kind reports when "Dalla data" holds `typed`: the start-up file
// reports the night before it, the others the typed day itself.
QDate reportedDay(FileKind kind, QDate typed);
// The day "Dalla data" must hold for a file of the kind to report `day` first.
QDate typedDay(FileKind kind, QDate day);

// What a movement file holds once written: the figures it reports, and its size and SHA-256
// (lowercase hexadecimal) as it lies on the disk.
struct WrittenFile
{
    FileFigures figures;
    qint64 size = 0;
    QString sha256;
};

// Writes the movement file of the given kind into `out` with its generator and returns the
// figures it reports; throws as the generator does.
FileFigures generateMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args, QIODevice &out);

// Writes the movement file of the given kind, whole or not at all, and returns its path; what
// it holds goes to `written` when given. Throws (MovementError, or the database layer's errors)
// with a message for the operator.
QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           WrittenFile *written = nullptr);

} // namespace movement
