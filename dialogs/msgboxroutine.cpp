#include "msgboxroutine.h"

#include "msgboxform.h"

namespace dialogs::MsgBox_Routine {

int MostraMessaggio(const QString &messaggio, int stile, const QString &titolo)
{
    // A fresh form for every question, so nothing of the previous box carries over.
    MsgBox_Form form(messaggio, stile, titolo);
    form.exec();
    return form.risposta();
}

} // namespace dialogs::MsgBox_Routine
