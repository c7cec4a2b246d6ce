#pragma once

#include "filefigures.h"
#include "filekind.h"
#include "movementcontext.h"

#include <QDate>
#include <QIODevice>
#include <QString>

#include <utility>

namespace movement {

// What a file of the kind is checked for before anything of it is written, and before the card
// check reads a card: "Dalla data", the room range, the selector, then, for the daily and the
// closed-structure file, "Alla data" and the range's order ("Alla data" plays no part in the
// start-up file). Returns the first and last day the file reports; throws OperatorError naming
// the field or the setting at fault.
std::pair<QDate, QDate> checkedFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args);

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
// it holds goes to `written` when given. Throws (OperatorError, or the database layer's errors)
// with a message for the operator.
QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           WrittenFile *written = nullptr);

} // namespace movement
