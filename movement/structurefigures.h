#pragma once

#include "movementcontext.h"

#include <QDate>

#include <optional>

namespace movement {

// The structure's figures for the daily files, within the room range (the generator's
// "Dalla cam." and "Alla cam.") and the selected structure of the context. One object serves one command: rooms and beds available are the
// same for every day, so they are worked out once.
class StructureFigures
{
public:
    // Throws OperatorError when the selector holds no structure number from 1 to 10.
    StructureFigures(const MovementContext &context, QString roomFrom, QString roomTo);

    // Rooms of hotel 1 whose type is of typology "C", or the figure of "CamDispSPOT.txt".
    qint64 CamereDisponibili();
    // Beds of those rooms, or the figure of "LettiDispSPOT.txt".
    qint64 LettiDisponibili();
    // The night that begins on a day: distinct rooms (number without surrounding spaces, exact
    // text) holding a guest, current or archived, and the guests' cards in them; a card whose
    // Lingua holds "*" counts for none.
    struct Night
    {
        qint64 rooms = 0;
        qint64 guests = 0;
    };
    Night night(QDate day) const;
    qint64 CamereOccupate(QDate day) const { return night(day).rooms; }

private:
    std::optional<qint64> overrideFigure(const QString &fileName) const;
    qint64 countRooms(bool beds) const;

    MovementContext m_context;
    QString m_roomFrom;
    QString m_roomTo;
    std::optional<int> m_structure;
    std::optional<qint64> m_rooms;
    std::optional<qint64> m_beds;
};

} // namespace movement
