#pragma once

#include "daycoverage.h"
#include "writtenfiles.h"

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
// by any column; the last 31 days, each marked written, closed or missing; "Salva" to keep the
// days and their state as a CSV file; "Prepara questi giorni" to hand a run of missing days
// back to the main window, where the operator still presses "Crea File".
class WrittenFilesWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kDaysShown = 31;

    // `savePath` is what "Salva" proposes.
    WrittenFilesWindow(const movement::RegisterContents &contents, QDate today, QString savePath,
                       QWidget *parent = nullptr);

signals:
    // The days chosen for "Dalla data" and "Alla data".
    void prepare(QDate first, QDate last);

private:
    QWidget *registerTable(const QList<movement::RegisterEntry> &entries);
    QListWidget *dayRow();
    // The selected days, first and last, when they are all missing and follow each other.
    std::optional<std::pair<QDate, QDate>> selectedMissingRun() const;
    void save();

    movement::DayCoverage m_coverage;
    QDate m_first;
    QDate m_last;
    QString m_savePath;
    QListWidget *m_days = nullptr;
    QPushButton *m_prepare = nullptr;
};

} // namespace app
