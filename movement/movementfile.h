#pragma once

#include "filefigures.h"
#include "movementcontext.h"

#include <QString>

namespace movement {

enum class FileKind {
    Classic, // the daily movement file for a range of days
    Schema,  // the start-up file in the "movimentogiornaliero-0.5.xsd" layout
    Closed,  // the file for days on which the structure was closed
};

// Writes the movement file of the given kind, whole or not at all, and returns its path; the
// figures it reports go to `reported` when given. Throws (OperatorError, or the database
// layer's errors) with a message for the operator.
QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           FileFigures *reported = nullptr);

} // namespace movement
