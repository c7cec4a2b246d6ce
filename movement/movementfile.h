#pragma once

#include "filefigures.h"
#include "filekind.h"
#include "movementcontext.h"

#include <QDate>
#include <QString>

#include <utility>

namespace movement {

// What a file of the kind is checked for before anything of it is written, and before the card
// check reads a card: "Dalla data", the room range, the selector, then, for the daily and the
// closed-structure file, "Alla data" and the range's order ("Alla data" plays no part in the
// start-up file). Returns the first and last day the file reports; throws OperatorError naming
// the field or the setting at fault.
std::pair<QDate, QDate> checkedFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args);

// Writes the movement file of the given kind, whole or not at all, and returns its path; the
// figures it reports go to `reported` when given. Throws (OperatorError, or the database
// layer's errors) with a message for the operator.
QString createMovementFile(FileKind kind, const MovementContext &context, const GeneratorArgs &args,
                           FileFigures *reported = nullptr);

} // namespace movement
