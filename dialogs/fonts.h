#pragma once

#include <QFont>
#include <QStringList>

namespace dialogs {

// Corbel where installed, else Carlito or another sans-serif of similar shape.
inline QFont fontCorbel(qreal punti, bool grassetto = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Corbel"), QStringLiteral("Carlito")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Arial where installed, else the metric-compatible Liberation Sans.
inline QFont fontArial(qreal punti, bool grassetto = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

} // namespace dialogs
