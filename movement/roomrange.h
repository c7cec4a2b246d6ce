#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace movement {

// Captions of the two room fields, used to name the bound at fault.
inline constexpr QStringView kDallaCamera = u"Dalla cam.";
inline constexpr QStringView kAllaCamera = u"Alla cam.";

// The last room's first text, in the window and on the command line: after every room number.
inline constexpr QStringView kLastRoom = u"ZZZZZZ";

// The range as a query's criterion on NumeroCamera, each bound between quotes as it stands.
QString roomRangeCriteria(const QString &from, const QString &to);

// Why a room range selects no room at all: its first room comes after its last as the hotel
// databases compare them, as text with case folded ("99" after "100"). The message names the
// bounds `fromName` and `toName`; nullopt when the range is in order.
std::optional<QString> reversedRoomRange(const QString &from, const QString &to, QStringView fromName = kDallaCamera,
                                         QStringView toName = kAllaCamera);

// Throws OperatorError with that message, naming the window's room fields.
void checkRoomRange(const QString &dallaCamera, const QString &allaCamera);

} // namespace movement
