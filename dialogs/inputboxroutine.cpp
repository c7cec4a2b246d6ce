#include "inputboxroutine.h"

#include "inputboxform.h"

namespace dialogs::InputBox_Routine {

std::optional<QString> RichiediTesto(const QString &prompt, const QString &titolo,
                                     const QString &predefinito)
{
    // A fresh form for every question, so nothing of the previous box carries over.
    InputBox_form form(prompt, titolo, predefinito);
    form.exec();
    return form.risposta();
}

} // namespace dialogs::InputBox_Routine
