#pragma once

#include <QString>

namespace dialogs::MsgBox_Routine {

// Shows the tool's message box modally, with no owner window, and returns the answer:
// 0 for "Ok", 6 for "Si", 7 for "No", 2 for "Annulla". Lines of the message are separated
// by CR LF. Styles: 0 or 48 "Ok"; 4 or 36 "Si"/"No"; 35 or 51 "Si"/"No"/"Annulla";
// 200 to 400 "Si"/"No" with the focus on "No"; any other code shows "Ok".
// Escape or closing the window answers "No" on yes/no styles, "Annulla" on yes/no/cancel
// styles and 0 otherwise.
int MostraMessaggio(const QString &messaggio, int stile, const QString &titolo);

} // namespace dialogs::MsgBox_Routine
