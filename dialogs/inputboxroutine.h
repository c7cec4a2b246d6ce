#pragma once

#include <QString>

#include <optional>

namespace dialogs::InputBox_Routine {

// Asks for one line of text in the tool's input box, shown modally with no owner window,
// the field starting with `predefinito` selected. Returns the field's text on "Ok" (possibly
// empty) and std::nullopt on "Annulla", Escape or any other close, so that the caller can
// keep its value. Lines of the prompt are separated by CR LF.
std::optional<QString> RichiediTesto(const QString &prompt, const QString &titolo,
                                     const QString &predefinito);

} // namespace dialogs::InputBox_Routine
