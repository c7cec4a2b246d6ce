#pragma once

#include <QRect>
#include <QString>
#include <QStringView>

#include <array>

namespace dialogs {

// Answer codes of the message box, numbered as the platform's message boxes number them.
enum RispostaMessaggio : int {
    RispostaOk = 0,
    RispostaAnnulla = 2,
    RispostaSi = 6,
    RispostaNo = 7,
};

struct PulsanteMessaggio
{
    bool visibile = false;
    QString didascalia;
    QRect geometria;
    int risposta = RispostaOk;
};

// The message box laid out for one message and style, in twips; `finestra` is the
// window's place on the screen, the other rectangles are inside the window.
struct MsgBoxLayout
{
    int righe = 0;
    int colonne = 0;
    QRect finestra;
    QRect titolo;    // Label1
    QRect messaggio; // Text1
    std::array<PulsanteMessaggio, 3> pulsanti; // T(0) to T(2)
    int focus = 0;   // index of the button that takes the focus
    int rispostaChiusura = RispostaOk; // Escape or a close other than by a button
};

namespace msgbox {

// Rows for the message: one more than its lines.
int CalcolaRighe(QStringView testo);
// Columns for the message: one more than its longest line, never less than 51.
int CalcolaColonne(QStringView testo);
// `schermo` is the screen's available area in twips.
MsgBoxLayout CalcolaLayout(QStringView messaggio, int stile, const QRect &schermo);

} // namespace msgbox
} // namespace dialogs
