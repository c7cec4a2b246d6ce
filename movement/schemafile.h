#pragma once

#include "cardvalues.h"
#include "codelookup.h"
#include "filefigures.h"
#include "movementcontext.h"
#include "startupselection.h"

#include <QDate>
#include <QList>

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

// The values an arrival and a member block share, from the guest's number to the residence,
// each doubt told as it is met: the codes first, then the sex.
QList<CardValue> schemaPersonValues(const StartUpGuest &guest, CodeLookup &codes, const Doubts &doubts);
// The guest's age on `today`: the calendar years between the birth and today, whether the
// birthday has come or not. A birth date that is no date is a doubt, and the age then 0: the
// generator refuses the card, as the file cannot be written without its age.
CardValue schemaAge(const RecordFields &card, QDate today, const Doubts &doubts);

} // namespace movement
