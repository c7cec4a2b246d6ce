#pragma once

#include <QFont>
#include <QStringList>

namespace dialogs {

inline QFont fontDi(const QStringList &famiglie, qreal punti, bool grassetto)
{
    QFont f;
    f.setFamilies(famiglie);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Corbel where installed, else Carlito or another sans-serif of similar shape.
inline QFont fontCorbel(qreal punti, bool grassetto = false)
{
    return fontDi({QStringLiteral("Corbel"), QStringLiteral("Carlito")}, punti, grassetto);
}

// Arial where installed, else the metric-compatible Liberation Sans.
inline QFont fontArial(qreal punti, bool grassetto = false)
{
    return fontDi({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, punti, grassetto);
}

} // namespace dialogs
