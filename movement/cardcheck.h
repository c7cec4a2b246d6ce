#pragma once

#include "movementcontext.h"
#include "movementfile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace movement {

// A guest card that would give a doubtful value in the movement file.
struct CardFinding
{
    QString name;     // NomeCliente
    QString room;     // NumeroCamera
    QString arrival;  // DataArrivo, as DD/MM/YYYY when it is a date
    QString database; // "attuale" for the current cards, "archivio" for the archived ones
    QString field;    // the card's field at fault
    QString value;    // its value
    QString problem;  // what the file would hold, and what to correct in the hotel program
    QString element;  // the file's element that holds the doubtful value; empty when the card as a whole is at fault

    bool operator==(const CardFinding &) const = default;
};

// The captions of a finding's columns, and its texts in that order.
QStringList findingCaptions();
QStringList findingTexts(const CardFinding &finding);

// The cards that the file of the kind, written now with this context and these fields, would
// hold with a doubtful value, in the order the file meets them, each card and problem once:
// a code not found (the file's nine spaces), a birth date that is missing or not a date, a sex
// other than "M" or "F", a departure before the arrival, a room in no structure's list when
// "VeluSetup.txt" lists structures, and a family or group member whose head is not in the file.
// The generator's own checks are made first (checkedFile), then its selection and code lookups
// are walked; nothing is written. The closed-structure file reads no cards, so nothing is found
// for it. A selector, date or database the file could not be written with throws as the
// generator does.
QList<CardFinding> checkCards(FileKind kind, const MovementContext &context, const GeneratorArgs &args);

} // namespace movement
