#include "cardcheckwindow.h"

#include "csvsave.h"
#include "daytext.h"
#include "findingscsv.h"
#include "fonts.h"
#include "listparts.h"
#include "movementfile.h"
#include "structureselection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kFindingRole = Qt::UserRole;    // the row's finding, on its first item
constexpr int kArrivalColumn = 2;
constexpr int kProblemColumn = 6;

// Dates sort by day, not by their text.
QVariant sortKey(int column, const QString &text)
{
    const QDate day = column == kArrivalColumn ? movement::readDay(text).day : QDate();
    return day.isValid() ? movement::dayKey(day) : text;
}

} // namespace

QString checkedFileText(const Run &run)
{
    const auto [first, last] = movement::checkedFile(run.kind, run.context, run.args);
    const QString file = QStringLiteral("File ") + movement::wordsOf(run.kind).shown.toString();
    const QString selector = run.context.selector;
    const QString structure = selector == u"-" ? movement::selectedStructureCode(run.context) : selector;
    // The start-up file reports a single night.
    if (run.kind == movement::FileKind::Schema)
        return QStringLiteral("%1 del %2, struttura %3").arg(file, movement::dayText(first), structure);
    return QStringLiteral("%1 dal %2 al %3, struttura %4")
        .arg(file, movement::dayText(first), movement::dayText(last), structure);
}

QString cardCheckFileName(QDate first)
{
    return QStringLiteral("controllo-schede-%1.csv").arg(movement::dashedDay(first));
}

CardCheckWindow::CardCheckWindow(const QString &checked, QList<movement::CardFinding> findings, QString savePath,
                                 QWidget *parent)
    : QDialog(parent), m_findings(std::move(findings)), m_savePath(std::move(savePath))
{
    dressListWindow(this, QStringLiteral("Schede del periodo"));

    auto *layout = new QVBoxLayout(this);
    auto *subject = new QLabel(checked, this);
    subject->setObjectName(QStringLiteral("checked"));
    subject->setFont(dialogs::fontCorbel(9.75, true));
    layout->addWidget(subject);
    auto *summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setFont(dialogs::fontCorbel(9.75));
    summary->setText(m_findings.isEmpty()
                         ? QStringLiteral("Nessuna scheda del periodo darebbe un valore dubbio nel file.")
                         : QStringLiteral("Valori dubbi nel file: %1. Correggerli nel programma alberghiero prima "
                                          "di creare il file.")
                               .arg(QString::number(m_findings.size())));
    layout->addWidget(summary);

    if (!m_findings.isEmpty()) {
        m_model = new QStandardItemModel(0, int(movement::findingCaptions().size()), this);
        m_model->setHorizontalHeaderLabels(movement::findingCaptions());
        for (qsizetype i = 0; i < m_findings.size(); ++i) {
            const QStringList texts = movement::findingTexts(m_findings[i]);
            QList<QStandardItem *> row = sortableRow(texts, sortKey);
            row[0]->setData(qlonglong(i), kFindingRole);
            row[kProblemColumn]->setToolTip(texts[kProblemColumn]);
            m_model->appendRow(row);
        }
        // The file's order until a caption is clicked.
        QTableView *table = sortableTable(m_model, QStringLiteral("findings"), this);
        table->horizontalHeader()->setStretchLastSection(true);
        table->setColumnWidth(kProblemColumn, 600);
        layout->addWidget(table);
        resize(1100, 500);
    }

    auto *buttons = new QHBoxLayout;
    QPushButton *copia = listButton(QStringLiteral("&Copia"), QStringLiteral("copia"), this);
    QPushButton *salva = listButton(QStringLiteral("&Salva"), QStringLiteral("salva"), this);
    QPushButton *chiudi = listButton(QStringLiteral("C&hiudi"), QStringLiteral("chiudi"), this);
    copia->setEnabled(!m_findings.isEmpty());
    salva->setEnabled(!m_findings.isEmpty());
    buttons->addStretch();
    for (QPushButton *b : {copia, salva, chiudi})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(copia, &QPushButton::clicked, this, &CardCheckWindow::copy);
    connect(salva, &QPushButton::clicked, this, &CardCheckWindow::save);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
}

QList<movement::CardFinding> CardCheckWindow::shownOrder() const
{
    QList<movement::CardFinding> shown;
    for (int row = 0; row < m_model->rowCount(); ++row)
        shown << m_findings[m_model->item(row, 0)->data(kFindingRole).toLongLong()];
    return shown;
}

void CardCheckWindow::copy() const
{
    QGuiApplication::clipboard()->setText(movement::findingsTabSeparated(shownOrder()));
}

void CardCheckWindow::save()
{
    if (const std::optional<QString> saved =
            saveCsvAs(this, QStringLiteral("Salva l'elenco delle schede"), m_savePath,
                      [this](QIODevice &out) { movement::writeFindingsCsv(shownOrder(), out); }))
        m_savePath = *saved;
}

} // namespace app
