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

// The two kinds of head a guest card can have, with the fields that tell them and the words the
// files and the messages use for them.
struct HeadKind
{
    QString mark;           // "S" here on the head's own card: CapoFamiglia, CapoGruppo
    QString number;         // the head's number on a member's card: CodiceCapoFamiglia, CodiceCapoGruppo
    QString word;           // the head as the messages name it
    QStringView headType;   // the head's type of guest
    QStringView memberType; // a member's, which only the daily file writes
};
inline const HeadKind kFamilyHead{QStringLiteral("CapoFamiglia"), QStringLiteral("CodiceCapoFamiglia"),
                                  QStringLiteral("capofamiglia"), u"17", u"19"};
inline const HeadKind kGroupHead{QStringLiteral("CapoGruppo"), QStringLiteral("CodiceCapoGruppo"),
                                 QStringLiteral("capogruppo"), u"18", u"20"};

// The head the card is: of a family when CapoFamiglia is "S", else of a group when CapoGruppo
// is "S" (exactly); nullptr for none.
const HeadKind *markedHead(const RecordFields &card);
// The head whose member the card is: by CodiceCapoFamiglia above 0, else by CodiceCapoGruppo
// above 0; nullptr for none.
const HeadKind *namedHead(const RecordFields &card);
// The type of guest the files write: the marked head's, else, when `membersTyped` (the daily
// file), the member's, else 16, a guest on their own.
QStringView guestType(const RecordFields &card, bool membersTyped);

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
