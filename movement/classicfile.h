#pragma once

#include "cardvalues.h"
#include "classicselection.h"
#include "codelookup.h"
#include "filefigures.h"
#include "movementcontext.h"
#include "recordfields.h"

#include <QList>

#include <QIODevice>
#include <QStringView>

namespace movement {

// The daily movement file for a range of days: for each day the structure's figures, the
// arrivals and the departures of the day from the current and the archived guest cards,
// within the room range and the selected structure. Both dates and the selector are checked
// before anything is written. Returns the figures the file reports; the guests present on the
// last day are those of the night its rooms occupied are counted in.
FileFigures CreaMovimentiClassico(const MovementContext &context, const GeneratorArgs &args, QIODevice &out);

// What the daily file's blocks take from a card.
struct ClassicStay
{
    QString identifier;             // idswh: the guest number with the arrival year in front
    QString arrived;                // DataArrivo
    QStringView type;               // tipoalloggiato
    const HeadKind *head = nullptr; // whose member the card is (namedHead)
    QString headIdentifier;         // idcapo: the head's number with the member's own arrival year; empty for none
};

ClassicStay classicStay(const RecordFields &card, bool archived);

// The values of a card's arrival block, from idswh to comunenascita, each doubt told as it is met:
// the codes first, then the card's own fields.
QList<CardValue> classicArrivalValues(const ClassicCard &card, CodeLookup &codes, const Doubts &doubts);
// The values of a card's departure block: idswh, tipoalloggiato and the arrival date.
QList<CardValue> classicDepartureValues(const ClassicCard &card, const Doubts &doubts);

} // namespace movement
