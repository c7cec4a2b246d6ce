#include "recordedfile.h"

#include "missingdaystext.h"
#include "movementfile.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "settings.h"
#include "structureselection.h"

namespace app {

RecordedFile writeRecordedFile(const Run &run, movement::RegisterEntry::Source source, const QDateTime &now)
{
    movement::WrittenFile written;
    const QString path = movement::createMovementFile(run.kind, run.context, run.args, &written);
    const movement::WrittenFiles writtenFiles(run.context.folder);
    try {
        const movement::RegisterEntry entry = movement::RegisterEntry::forFile(
            path, run.kind, written.figures, written.size, written.sha256, source, now,
            movement::selectedStructureCode(run.context), run.args.DallaCamera, run.args.AllaCamera);
        return {path, writtenFiles.append(entry).warning()};
    } catch (const std::exception &e) {
        return {path, core::operatorMessage(u"Il file «%1» è stato scritto, ma il registro dei file scritti «%2» non è "
                                               u"stato aggiornato: ",
                                               {QDir::toNativeSeparators(path), movement::kRegisterFileName})
                          + core::messageOf(e) + QStringLiteral(".")};
    }
}

QList<movement::MissingDay> WrittenDays::missing(int days) const
{
    return coverage.missing(lastDue.addDays(1 - days), lastDue);
}

QList<movement::StaleFile> WrittenDays::stale(int days) const
{
    return movement::staleFiles(coverage, lastDue.addDays(1 - days), lastDue, context);
}

WrittenDays readWrittenDays(const QDir &folder, QDate today)
{
    movement::RegisterContents contents;
    try {
        contents = movement::WrittenFiles(folder).read();
    } catch (const core::OperatorError &e) {
        throw core::OperatorError(QStringLiteral("Il registro dei file scritti non si legge: ") + e.message() + u'.');
    }
    movement::MovementContext context;
    context.folder = folder;
    context.today = today;
    QStringList codes;
    if (const std::optional<StructureList> list = readStructureFile(folder)) {
        context.structures.take(*list);
        for (int n = 0; n < std::min(list->NumeroStrutture, movement::kMaxStructures); ++n)
            codes << list->CodiciStrutture[n];
    }
    // The window ticks "Start up" while the phase lasts.
    const movement::FileKind proposed = fileKind(!startupMarkExists(folder), false);
    movement::DayCoverage coverage(contents.entries, codes);
    return {std::move(contents), std::move(coverage), proposed, movement::reportedDay(proposed, today.addDays(-1)),
            context};
}

MissingDaysNote missingDaysNote(const QDir &folder, QDate today, const QList<movement::StaleFile> &stale)
{
    try {
        const WrittenDays days = readWrittenDays(folder, today);
        QStringList sentences{movement::missingDaysText(days.missing())};
        for (const movement::StaleFile &file : stale)
            sentences << movement::staleFileText(file);
        sentences.removeAll(QString());
        const QString sentence = sentences.join(QStringLiteral(". "));
        const QString warning = days.contents.warning();
        if (warning.isEmpty())
            return {sentence, sentence};
        if (sentence.isEmpty())
            return {QStringLiteral("Ci sono righe del registro illeggibili"), warning};
        return {sentence + QStringLiteral(" (righe del registro illeggibili)"), sentence + u'\n' + warning};
    } catch (const std::exception &e) {
        return {QStringLiteral("I giorni mancanti non si contano"), core::messageOf(e)};
    }
}

} // namespace app
