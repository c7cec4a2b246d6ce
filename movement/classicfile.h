#pragma once

#include "movementcontext.h"

#include <QIODevice>

namespace movement {

// The daily movement file for a range of days: for each day the structure's figures, the
// arrivals and the departures of the day from the current and the archived guest cards,
// within the room range and the selected structure. Both dates and the selector are checked
// before anything is written.
void CreaMovimentiClassico(const MovementContext &context, const GeneratorArgs &args, QIODevice &out);

} // namespace movement
