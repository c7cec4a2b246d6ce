#pragma once

#include "filefigures.h"
#include "filekind.h"
#include "movementcontext.h"

#include <QString>

namespace movement {

// Writes the movement file of the given kind, whole or not at all, and returns its path; the
// figures it reports go to `reported` when given. Throws (OperatorError, or the database
// layer's errors) with a message for the operator.
QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           FileFigures *reported = nullptr);

} // namespace movement
