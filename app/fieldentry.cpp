#include "fieldentry.h"

#include "numericvalue.h"
#include "trimspaces.h"

#include <QList>

namespace app {

QString PulisciTesto(const QString &testo)
{
    // By code point, so that letters beyond the basic plane lose their lower case too; the simple
    // capital keeps the length ("ß" stays, it does not become "SS").
    QList<uint> caratteri = core::trimSpaces(testo).toUcs4();
    for (uint &c : caratteri)
        c = c == u'\'' ? 0xB4 : QChar::toUpper(c);
    const QString risultato = QString::fromUcs4(reinterpret_cast<const char32_t *>(caratteri.constData()),
                                                caratteri.size());
    return risultato.isEmpty() ? QStringLiteral(" ") : risultato;
}

QString CompletaData(const QString &testo)
{
    if (testo.size() == 6) {
        const QString secolo = core::numericValue(QStringView(testo).mid(4, 2)) < 35 ? QStringLiteral("20")
                                                                                     : QStringLiteral("19");
        return testo.mid(0, 2) + u'/' + testo.mid(2, 2) + u'/' + secolo + testo.mid(4, 2);
    }
    if (testo.size() == 8)
        return testo.mid(0, 2) + u'/' + testo.mid(2, 2) + u'/' + testo.mid(4, 4);
    return testo;
}

} // namespace app
