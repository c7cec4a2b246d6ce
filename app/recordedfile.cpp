#include "recordedfile.h"

#include "daycoverage.h"
#include "missingdaystext.h"
#include "movementfile.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "structureselection.h"

namespace app {

namespace {

// The days the strip looks back on: a week, so that a Monday shows the weekend.
constexpr int kStripDays = 7;

} // namespace

RecordedFile writeRecordedFile(const Run &run, movement::RegisterEntry::Source source, const QDateTime &now)
{
    movement::FileFigures figures;
    const QString path = movement::createMovementFile(run.kind, run.context, run.args, &figures);
    const movement::WrittenFiles writtenFiles(run.context.folder);
    try {
        const movement::RegisterEntry entry = movement::RegisterEntry::forFile(
            path, run.kind, figures, source, now, movement::selectedStructureCode(run.context), run.args.DallaCamera,
            run.args.AllaCamera);
        return {path, writtenFiles.append(entry).warning()};
    } catch (const std::exception &e) {
        return {path, core::operatorMessage(u"Il file «%1» è stato scritto, ma il registro dei file scritti «%2» non è "
                                               u"stato aggiornato: ",
                                               {QDir::toNativeSeparators(path), movement::kRegisterFileName})
                          + core::messageOf(e) + QStringLiteral(".")};
    }
}

movement::RegisterContents readWrittenFiles(const QDir &folder)
{
    try {
        return movement::WrittenFiles(folder).read();
    } catch (const core::OperatorError &e) {
        throw core::OperatorError(QStringLiteral("Il registro dei file scritti non si legge: ") + e.message() + u'.');
    }
}

QString missingDaysStrip(const QDir &folder, QDate today)
{
    try {
        const movement::DayCoverage coverage(movement::WrittenFiles(folder).read().entries);
        return movement::missingDaysText(coverage.missingBefore(today, kStripDays));
    } catch (const std::exception &) {
        return QStringLiteral("Il registro dei file scritti non si legge");
    }
}

} // namespace app
