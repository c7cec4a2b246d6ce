#include "runcontext.h"

namespace app {

void Structures::take(const StructureList &list)
{
    NumeroStrutture = list.NumeroStrutture;
    for (int n = 1; n <= list.NumeroStrutture; ++n) {
        CodiciStrutture[n - 1] = list.CodiciStrutture[n - 1];
        CamereStrutture[n - 1] = list.CamereStrutture[n - 1];
    }
}

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

Run prepareRun(const QDir &folder, const Settings &settings, const Structures &structures, const RunChoices &choices,
               QDate today)
{
    movement::MovementContext context;
    context.folder = folder;
    context.PercorsoFile = settings.PercorsoFile;
    context.CodiceStruttura = settings.CodiceStruttura;
    context.selector = choices.selector;
    context.NumeroStrutture = structures.NumeroStrutture;
    context.CodiciStrutture = structures.CodiciStrutture;
    context.CamereStrutture = structures.CamereStrutture;
    // The counts read the room fields as the generators do.
    context.roomFrom = choices.fields.DallaCamera;
    context.roomTo = choices.fields.AllaCamera;
    context.today = today;
    return {choices.kind, context, choices.fields};
}

} // namespace app
