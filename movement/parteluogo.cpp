#include "parteluogo.h"

#include "trimspaces.h"

namespace movement {

QString ParteLuogo(const QString &text, int index)
{
    const QString t = core::trimSpaces(text);
    const qsizetype a = t.lastIndexOf(u' '); // 0-based; -1 when there is no space
    if (t.isEmpty() || index < 0 || index > 3)
        return {};
    if (a < 0)
        return index == 0 ? t : QString();

    const qsizetype b = a > 0 ? t.lastIndexOf(u' ', a - 1) : -1;
    QString part;
    switch (index) {
    case 0: part = t.mid(a + 1); break;
    case 1: part = t.left(a); break;
    case 2: part = b < 0 ? t.left(a) : t.mid(b + 1, a - b - 1); break;
    case 3: part = b < 0 ? QString() : t.left(b); break;
    }
    return core::trimSpaces(part);
}

} // namespace movement
