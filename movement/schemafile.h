#pragma once

#include "filefigures.h"
#include "movementcontext.h"

#include <QIODevice>

namespace movement {

// The start-up file in the layout of "movimentogiornaliero-0.5.xsd", for one reported day, the
// day before "Dalla data": the guests lodged in the night from the reported day to the typed
// one within the room range, current cards first, then archived ones, heads of family or
// group and "U" guests each as an arrival with their members nested; then the structure's
// figures. A night without guests is a single "NM" day. "Alla data" plays no part.
// Returns the figures it reports: every guest it lists counts as an arrival and as present on
// the reported day, which is its only day; it lists no departures.
FileFigures CreaMovimentiSchema(const MovementContext &context, const GeneratorArgs &args, QIODevice &out);

} // namespace movement
