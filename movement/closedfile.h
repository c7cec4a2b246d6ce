#pragma once

#include "filefigures.h"
#include "movementcontext.h"

#include <QIODevice>

namespace movement {

// The file for a range of days on which the structure was closed: one block per day declaring
// it not open, all figures 0, no arrivals or departures. The room range plays no part.
// Both dates are checked first; nothing is written when either or the selector is wrong.
// Returns the figures it reports: its days, every count 0.
FileFigures CreaMovimentiChiusa(const MovementContext &context, const GeneratorArgs &args, QIODevice &out);

} // namespace movement
