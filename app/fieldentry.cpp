#include "fieldentry.h"

#include "numericvalue.h"
#include "trimspaces.h"

#include <QList>

#include <array>

namespace app {

using core::numericValue;
using core::roundHalfEven;

namespace {

constexpr std::array<int, 13> GiorniMese = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct DateParts
{
    double giorno;
    double mese;
    double anno;
};

DateParts dateParts(QStringView data)
{
    return {core::numericValue(data.mid(0, 2)), core::numericValue(data.mid(3, 2)), core::numericValue(data.mid(6, 4))};
}

} // namespace

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

bool ControllaData(const QString &data)
{
    const QString testo = core::trimSpaces(data);
    if (testo.size() != 10)
        return false;
    const DateParts p = dateParts(testo);
    const double anno = core::roundHalfEven(p.anno);
    if (p.mese < 1 || anno < 1900 || p.mese > 12)
        return false;
    // A month read from text may carry a fraction (" 2." is 2, "1.5" cannot occur in two
    // characters), so the table is indexed by the rounded value.
    const int mese = int(core::roundHalfEven(p.mese));
    const int giorni = (mese == 2 && AnnoBisestile(int(anno))) ? 29 : GiorniMese[mese];
    return p.giorno >= 1 && p.giorno <= giorni;
}

bool ConfrontaDate(const QString &prima, const QString &seconda)
{
    const DateParts a = dateParts(QStringView(prima).left(10));
    DateParts b = dateParts(QStringView(seconda).left(10));
    b.anno = core::roundHalfEven(b.anno);
    const bool successiva = a.anno > b.anno || (a.anno == b.anno && a.mese > b.mese)
        || (a.anno == b.anno && a.mese == b.mese && a.giorno > b.giorno);
    return !successiva;
}

bool AnnoBisestile(int anno)
{
    return (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
}

} // namespace app
