#include "closedfile.h"

#include "daytext.h"
#include "linewriter.h"
#include "structureselection.h"

namespace movement {

FileFigures CreaMovimentiChiusa(const MovementContext &context, const GeneratorArgs &args, QIODevice &out)
{
    const QString code = selectedStructureCode(context);
    const auto [first, last] = checkedRange(args.DallaData, args.AllaData);

    LineWriter w(out);
    w.line(0, kXmlDeclaration);
    w.line(0, u"<movimenti>");
    w.element(2, u"codice", code);
    w.line(2, u"<prodotto>QUORVANE</prodotto>");
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        w.line(3, u"<movimento>");
        w.element(6, u"data", dayKey(day));
        w.line(6, u"<struttura>");
        w.line(9, u"<apertura>NO</apertura>");
        w.line(9, u"<camereoccupate>0</camereoccupate>");
        w.line(9, u"<cameredisponibili>0</cameredisponibili>");
        w.line(9, u"<lettidisponibili>0</lettidisponibili>");
        w.line(6, u"</struttura>");
        w.line(6, u"<arrivi></arrivi>");
        w.line(6, u"<partenze></partenze>");
        w.line(6, u"<prenotazioni></prenotazioni>");
        w.line(6, u"<rettifiche></rettifiche>");
        w.line(3, u"</movimento>");
    }
    w.line(0, u"</movimenti>");
    FileFigures figures;
    figures.first = first;
    figures.last = last;
    return figures;
}

} // namespace movement
