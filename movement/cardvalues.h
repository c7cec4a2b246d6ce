#pragma once

#include "guestcodes.h"
#include "recordfields.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// The values the movement files take from a guest card, each made in one place that both the
// generators and the card check call, so that the check describes the file that is written.
namespace movement {

// A value a file writes for a card, and the element that carries it.
struct CardValue
{
    QStringView element;
    QString text;
};

// A value written that the operator should look at: the element that carries it, the card's
// field it comes from with that field's value, and what the file holds and what to correct.
struct Doubt
{
    QStringView element;
    QString field;
    QString value;
    QString problem;
};

// Told of each doubt as a card's values are made.
using Doubts = std::function<void(const Doubt &)>;

// The sex the files write: "F" for "F", "M" for anything else, which is a doubt unless it is "M".
CardValue sexValue(const RecordFields &card, const Doubts &doubts);

// A code as the files write it: nine spaces when it is not found, which is a doubt.
CardValue codeValue(const RecordFields &card, const GuestCode &code, const Doubts &doubts);

// A doubt on `element` when the card's departure in `field` comes before its arrival.
void checkDeparture(const RecordFields &card, const QString &field, QStringView element, const Doubts &doubts);

// A doubt on `element` when the card's birth date is missing or no date; `effect` says what the
// file does with it.
bool checkBirthDate(const RecordFields &card, QStringView element, const QString &effect, const Doubts &doubts);

// What the archive adds to a guest's number: the last two digits of the arrival year, characters
// 3 and 4 of DataArrivo, times 1,000,000; nothing when they do not begin with a digit.
double archiveYearShift(const QString &dataArrivo);

} // namespace movement
