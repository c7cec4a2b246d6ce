#pragma once

#include "recordedfile.h"

#include <QDate>
#include <QDialog>

#include <optional>
#include <utility>

class QListWidget;
class QPushButton;

namespace app {

// The default name of the saved days: "giorni-", today, ".csv".
QString writtenDaysFileName(QDate today);

// "Controllo" › "File scritti": the register of written files, newest first, in a table sorted
// by any column; the 31 days up to the last one due, each marked written, closed, missing or
// unknown (before the register began), with the structures that lack it, and those whose file
// the cards no longer agree with marked to be written again; "Salva" to keep the days and their
// state as a CSV file; "Prepara questi giorni" to hand a run of such days back to the main
// window, where the operator still presses "Crea File".
class WrittenFilesWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kDaysShown = 31;

    // `savePath` is what "Salva" proposes.
    // `stale` are the files counted again whose figures the cards no longer give.
    WrittenFilesWindow(const WrittenDays &days, const QList<movement::StaleFile> &stale, QString savePath,
                       QWidget *parent = nullptr);

signals:
    // The days for "Dalla data" and "Alla data" that write the days chosen, and the structure
    // that lacks them all, 0 when none alone does.
    void prepare(QDate first, QDate last, int structure);

private:
    QWidget *registerTable(const QList<movement::RegisterEntry> &entries);
    QListWidget *dayRow();
    struct Prepared
    {
        QDate first;
        QDate last;
        int structure;
    };
    // What the selected days prepare, when they all lack a file or are to be written again,
    // follow each other, and make one file of the kind proposed (the start-up file reports one
    // day).
    std::optional<Prepared> selectedMissingRun() const;
    // The file of the day the cards no longer agree with, if any.
    const movement::StaleFile *staleOn(QDate day) const;
    void save();

    movement::DayCoverage m_coverage;
    QList<movement::StaleFile> m_stale;
    movement::FileKind m_proposed;
    QDate m_first;
    QDate m_last;
    QString m_savePath;
    QListWidget *m_days = nullptr;
    QPushButton *m_prepare = nullptr;
};

} // namespace app
