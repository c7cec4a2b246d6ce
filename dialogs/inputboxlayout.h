#pragma once

#include <QRect>
#include <QStringView>

#include <array>

namespace dialogs {

// The input box laid out for one prompt, in twips; `finestra` is the window's place on
// the screen, the other rectangles are inside the window. The buttons are always
// T(0) "Ok" and T(1) "Annulla"; the input field takes the focus.
struct InputBoxLayout
{
    int righe = 0;
    int colonne = 0;
    QRect finestra;
    QRect titolo; // Label1
    QRect prompt; // Text1
    QRect campo;  // Text2
    std::array<QRect, 2> pulsanti; // T(0) "Ok", T(1) "Annulla"
};

namespace inputbox {

// Rows for the prompt: its lines.
int CalcolaRighe(QStringView testo);
// Columns for the prompt: its longest line, never less than 80.
int CalcolaColonne(QStringView testo);
// `schermo` is the screen's available area in twips.
InputBoxLayout CalcolaLayout(QStringView prompt, const QRect &schermo);

} // namespace inputbox
} // namespace dialogs
