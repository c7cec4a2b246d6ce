#include "boxmetrics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dialogs {

// Both counts saturate instead of wrapping on texts of billions of characters.
int contaRighe(QStringView testo)
{
    return 1 + int(std::min<qsizetype>(testo.count(u'\r'), std::numeric_limits<int>::max() - 2));
}

int rigaPiuLunga(QStringView testo, int minimo)
{
    qsizetype piuLunga = minimo;
    qsizetype corrente = 0;
    for (QChar c : testo) {
        if (c == u'\r') {
            piuLunga = std::max(piuLunga, corrente);
            corrente = 0;
        } else {
            ++corrente;
        }
    }
    piuLunga = std::max(piuLunga, corrente);
    return int(std::min<qsizetype>(piuLunga, std::numeric_limits<int>::max() - 1));
}

int limitaAlloSchermo(qint64 naturale, int minimo, int schermo)
{
    return int(std::min<qint64>(naturale, std::max(minimo, schermo)));
}

QPoint centraSulloSchermo(const QSize &finestra, const QRect &schermo)
{
    // Integer part rounds down, also when the window is larger than the screen.
    const auto meta = [](int libero) { return int(std::floor(libero / 2.0)); };
    return {schermo.left() + meta(schermo.width() - finestra.width()),
            schermo.top() + meta(schermo.height() - finestra.height())};
}

QRect dentroLoSchermo(const QRect &finestra, const QRect &schermo)
{
    const auto entro = [](int inizio, int lunghezza, int schermoInizio, int schermoLunghezza) {
        const int ultimo = schermoInizio + schermoLunghezza - lunghezza;
        return std::max(schermoInizio, std::min(inizio, ultimo));
    };
    return {entro(finestra.left(), finestra.width(), schermo.left(), schermo.width()),
            entro(finestra.top(), finestra.height(), schermo.top(), schermo.height()),
            finestra.width(), finestra.height()};
}

} // namespace dialogs
