#include "msgboxlayout.h"

#include "boxmetrics.h"

namespace dialogs::msgbox {

namespace {

// The form as designed.
constexpr QSize FinestraDisegnata(4695, 3135);
constexpr int AltezzaTitolo = 375;
constexpr QPoint OrigineMessaggio(120, 480);
constexpr QSize Pulsante(975, 615);
constexpr int Spazio = 70;
constexpr int TwipsColonna = 90;
constexpr int TwipsRiga = 300;
constexpr int LarghezzaMinima = 51 * TwipsColonna;
constexpr int AltezzaMinima = 2 * TwipsRiga + AltezzaTitolo + Pulsante.height() + 300;

// The buttons a style shows, left to right, and the one that takes the focus.
struct Stile
{
    int pulsanti;
    int focus;
};

Stile stileDi(int stile)
{
    if (stile == 4 || stile == 36)
        return {2, 0};
    if (stile == 35 || stile == 51)
        return {3, 0};
    if (stile >= 200 && stile <= 400)
        return {2, 1};
    // 0 and 48, and any code outside the table: a box without a button could not be closed.
    return {1, 0};
}

} // namespace

int CalcolaRighe(QStringView testo)
{
    return contaRighe(testo) + 1;
}

int CalcolaColonne(QStringView testo)
{
    return rigaPiuLunga(testo, 50) + 1;
}

MsgBoxLayout CalcolaLayout(QStringView messaggio, int stile, const QRect &schermo)
{
    MsgBoxLayout l;
    l.righe = CalcolaRighe(messaggio);
    l.colonne = CalcolaColonne(messaggio);

    const int w = limitaAlloSchermo(qint64(l.colonne) * TwipsColonna, LarghezzaMinima, schermo.width());
    const int margini = AltezzaTitolo + Pulsante.height() + 300;
    const int h = limitaAlloSchermo(qint64(l.righe) * TwipsRiga + margini, AltezzaMinima, schermo.height());

    // The top-left corner stays where the designed window was centred; the box grows from there.
    const QPoint origine = centraSulloSchermo(FinestraDisegnata, schermo);
    l.finestra = dentroLoSchermo(QRect(origine, QSize(w, h)), schermo);
    l.titolo = QRect(0, 0, w, AltezzaTitolo);
    l.messaggio = QRect(OrigineMessaggio, QSize(w - 180, h - margini));

    const Stile s = stileDi(stile);
    const int topPulsanti = l.messaggio.top() + l.messaggio.height() + 100;
    int sinistra = (w - (s.pulsanti * Pulsante.width() + (s.pulsanti - 1) * Spazio)) / 2;
    for (int i = 0; i < s.pulsanti; ++i) {
        PulsanteMessaggio &p = l.pulsanti[i];
        p.visibile = true;
        p.geometria = QRect(QPoint(sinistra, topPulsanti), Pulsante);
        sinistra += Pulsante.width() + Spazio;
    }
    if (s.pulsanti == 1) {
        l.pulsanti[0].didascalia = QStringLiteral("Ok");
        l.pulsanti[0].risposta = RispostaOk;
    } else {
        l.pulsanti[0].didascalia = QStringLiteral("Si");
        l.pulsanti[0].risposta = RispostaSi;
        l.pulsanti[1].didascalia = QStringLiteral("No");
        l.pulsanti[1].risposta = RispostaNo;
        l.pulsanti[2].didascalia = QStringLiteral("Annulla");
        l.pulsanti[2].risposta = RispostaAnnulla;
    }
    l.focus = s.focus;
    // Closing the box without a button means the most cautious answer it offers.
    l.rispostaChiusura = l.pulsanti[s.pulsanti - 1].risposta;
    return l;
}

} // namespace dialogs::msgbox
