#include "inputboxlayout.h"

#include "boxmetrics.h"

namespace dialogs::inputbox {

namespace {

// The form as designed.
constexpr int AltezzaTitolo = 375;
constexpr QPoint OriginePrompt(120, 600);
constexpr int AltezzaCampo = 375;
constexpr QSize Pulsante(975, 615);
constexpr int Spazio = 70;
constexpr int TwipsColonna = 90;
constexpr int TwipsRiga = 300;
constexpr int LarghezzaMinima = 80 * TwipsColonna;
constexpr int Margini = AltezzaTitolo + AltezzaCampo + Pulsante.height() + 600;

} // namespace

int CalcolaRighe(QStringView testo)
{
    return contaRighe(testo);
}

int CalcolaColonne(QStringView testo)
{
    return rigaPiuLunga(testo, 80);
}

InputBoxLayout CalcolaLayout(QStringView prompt, const QRect &schermo)
{
    InputBoxLayout l;
    l.righe = CalcolaRighe(prompt);
    l.colonne = CalcolaColonne(prompt);

    const int w = limitaAlloSchermo(qint64(l.colonne) * TwipsColonna, LarghezzaMinima, schermo.width());
    const int h = limitaAlloSchermo(qint64(l.righe) * TwipsRiga + Margini, TwipsRiga + Margini,
                                    schermo.height());

    l.finestra = dentroLoSchermo(QRect(centraSulloSchermo(QSize(w, h), schermo), QSize(w, h)), schermo);
    l.titolo = QRect(0, 0, w, AltezzaTitolo);
    l.prompt = QRect(OriginePrompt, QSize(w - 180, h - Margini));
    const int fineprompt = l.prompt.top() + l.prompt.height();
    l.campo = QRect(OriginePrompt.x(), fineprompt + 200, w - 180, AltezzaCampo);

    const int topPulsanti = fineprompt + AltezzaCampo + 300;
    const int sinistraOk = w - (2 * Pulsante.width() + 200);
    l.pulsanti[0] = QRect(QPoint(sinistraOk, topPulsanti), Pulsante);
    l.pulsanti[1] = QRect(QPoint(sinistraOk + Pulsante.width() + Spazio, topPulsanti), Pulsante);
    return l;
}

} // namespace dialogs::inputbox
