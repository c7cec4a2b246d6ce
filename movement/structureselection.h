#pragma once

#include "movementcontext.h"

#include <QString>

#include <optional>

namespace movement {

// The structure picked in the selector: nullopt for "-" (the settings' code, every room),
// otherwise its number 1 to 10. An empty selector or a number out of range throws OperatorError.
std::optional<int> selectedStructure(const QString &selector);

// The structure code a file carries: the selected structure's code, or the settings' one for "-".
QString selectedStructureCode(const MovementContext &context);

// Whether a room belongs to a structure: the room number without surrounding spaces, between
// commas, must occur as written in the structure's room list (",101,102,").
bool roomInList(const QString &roomList, const QString &room);

// Whether a room counts for the selected structure: every room for "-".
bool roomSelected(const MovementContext &context, const QString &room);

// Whether a room belongs to one of the structures "VeluSetup.txt" lists.
bool roomInAnyStructure(const MovementContext &context, const QString &room);

} // namespace movement
