#include "filerecount.h"

#include "daytext.h"
#include "movementfile.h"

#include <QBuffer>

namespace movement {

QList<StaleFile> staleFiles(const DayCoverage &coverage, QDate first, QDate last, const MovementContext &context)
{
    QList<const RegisterEntry *> counted;
    QList<StaleFile> stale;
    const int structures = coverage.structureCount();
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        for (int n = structures > 0 ? 1 : 0; n <= structures; ++n) {
            const RegisterEntry *entry = coverage.deciding(day, n);
            if (!entry || counted.contains(entry) || entry->kind == FileKind::Closed || !entry->countsKnown
                || entry->figures.first.daysTo(entry->figures.last) > first.daysTo(last))
                continue;
            counted << entry;
            // The start-up file carries no structure: the window writes it for the first one.
            const int structure = entry->kind == FileKind::Schema ? std::min(structures, 1) : n;
            MovementContext own = context;
            own.selector = structure == 0 ? QStringLiteral("-") : QString::number(structure);
            own.progress = {};
            const GeneratorArgs args{dayText(typedDay(entry->kind, entry->figures.first)),
                                     dayText(typedDay(entry->kind, entry->figures.last)), entry->roomFrom, entry->roomTo};
            QBuffer discarded;
            discarded.open(QIODevice::WriteOnly);
            const FileFigures now = generateMovementFile(entry->kind, own, args, discarded);
            const FileFigures &then = entry->figures;
            if (now.arrivals != then.arrivals || now.departures != then.departures
                || now.guestsPresent != then.guestsPresent || now.roomsOccupied != then.roomsOccupied)
                stale << StaleFile{*entry, entry->kind == FileKind::Schema ? 0 : n, now};
        }
    }
    return stale;
}

} // namespace movement
