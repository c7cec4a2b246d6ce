#include "runcontext.h"

namespace app {

QStringList selectorItems(const std::optional<StructureList> &list)
{
    if (!list)
        return {QStringLiteral("-")};
    QStringList items;
    for (int n = 1; n <= list->NumeroStrutture; ++n)
        items << QString::number(n);
    return items;
}

movement::FileKind fileKind(bool startUp, bool closed)
{
    return startUp ? movement::FileKind::Schema : closed ? movement::FileKind::Closed : movement::FileKind::Classic;
}

Run prepareRun(const QDir &folder, const Settings &settings, const StructureList &structures, const RunChoices &choices,
               QDate today)
{
    movement::MovementContext context;
    context.folder = folder;
    context.PercorsoFile = settings.PercorsoFile;
    context.CodiceStruttura = settings.CodiceStruttura;
    context.selector = choices.selector;
    context.structures = structures;
    context.today = today;
    return {choices.kind, context, choices.fields};
}

} // namespace app
