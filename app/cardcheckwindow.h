#pragma once

#include "cardcheck.h"
#include "runcontext.h"

#include <QDate>
#include <QDialog>
#include <QList>

class QStandardItemModel;

namespace app {

// The window's first line: which file, days and structure were checked, as "File giornaliero
// dal 07/12/2026 al 07/12/2026, struttura 1" (the settings' code when no structure is listed);
// the start-up file names the day it reports. Throws as the file's own checks do (checkedFile).
QString checkedFileText(const Run &run);

// The default name of the saved check: "controllo-schede-", the period's first day, ".csv".
QString cardCheckFileName(QDate first);

// The result of the card check, "Schede del periodo": the findings in a table sorted by any
// column, "Copia" to put them on the clipboard as rows a spreadsheet or a mail takes, "Salva"
// to keep them as a CSV file, "Chiudi". When nothing is doubtful a single line says so.
class CardCheckWindow : public QDialog
{
    Q_OBJECT

public:
    // `checked` says what was checked (checkedFileText); `savePath` is what "Salva" proposes.
    CardCheckWindow(const QString &checked, QList<movement::CardFinding> findings, QString savePath,
                    QWidget *parent = nullptr);

private:
    QList<movement::CardFinding> shownOrder() const; // as the table is sorted now
    void copy() const;
    void save();

    QList<movement::CardFinding> m_findings;
    QString m_savePath;
    QStandardItemModel *m_model = nullptr;
};

} // namespace app
