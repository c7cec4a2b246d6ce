#include "cardcheckwindow.h"

#include "daytext.h"
#include "findingscsv.h"
#include "fonts.h"
#include "msgboxroutine.h"
#include "operatorerror.h"
#include "savefile.h"

#include <QClipboard>
#include <QFileDialog>
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

const QColor kBackground(192, 192, 255);
constexpr int kFindingRole = Qt::UserRole;    // the row's finding, on its first item
constexpr int kSortRole = Qt::UserRole + 1;   // what a column sorts by
constexpr int kArrivalColumn = 2;
constexpr int kProblemColumn = 6;
constexpr int kStyleOk = 0; // the message box with "Ok" alone

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFont(dialogs::fontCorbel(9.75));
    b->setAutoDefault(false);
    return b;
}

// Dates sort by day, not by their text.
QString sortKey(int column, const QString &text)
{
    const QDate day = column == kArrivalColumn ? QDate::fromString(text, u"dd/MM/yyyy") : QDate();
    return day.isValid() ? movement::dayKey(day) : text;
}

} // namespace

QString cardCheckFileName(QDate first)
{
    return QStringLiteral("controllo-schede-%1.csv").arg(movement::dashedDay(first));
}

CardCheckWindow::CardCheckWindow(QList<movement::CardFinding> findings, QString savePath, QWidget *parent)
    : QDialog(parent), m_findings(std::move(findings)), m_savePath(std::move(savePath))
{
    setWindowTitle(QStringLiteral("Schede del periodo"));
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
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
        m_model->setSortRole(kSortRole);
        for (qsizetype i = 0; i < m_findings.size(); ++i) {
            QList<QStandardItem *> row;
            const QStringList texts = movement::findingTexts(m_findings[i]);
            for (int column = 0; column < texts.size(); ++column) {
                auto *item = new QStandardItem(texts[column]);
                item->setEditable(false);
                item->setData(sortKey(column, texts[column]), kSortRole);
                row << item;
            }
            row[0]->setData(qlonglong(i), kFindingRole);
            row[kProblemColumn]->setToolTip(texts[kProblemColumn]);
            m_model->appendRow(row);
        }
        auto *table = new QTableView(this);
        table->setObjectName(QStringLiteral("findings"));
        table->setFont(dialogs::fontArial(8.25));
        table->setModel(m_model);
        // The file's order until a caption is clicked.
        table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        table->setSortingEnabled(true);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->horizontalHeader()->setStretchLastSection(true);
        table->resizeColumnsToContents();
        table->setColumnWidth(kProblemColumn, 600);
        layout->addWidget(table);
        resize(1100, 500);
    }

    auto *buttons = new QHBoxLayout;
    QPushButton *copia = button(QStringLiteral("&Copia"), QStringLiteral("copia"), this);
    QPushButton *salva = button(QStringLiteral("&Salva"), QStringLiteral("salva"), this);
    QPushButton *chiudi = button(QStringLiteral("C&hiudi"), QStringLiteral("chiudi"), this);
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
    QFileDialog dialog(this, QStringLiteral("Salva l'elenco delle schede"), m_savePath,
                       QStringLiteral("File CSV (*.csv)"));
    dialog.setObjectName(QStringLiteral("salvaFile"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(m_savePath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    try {
        core::saveAtomically(path, [this](QIODevice &out) { movement::writeFindingsCsv(shownOrder(), out); });
        m_savePath = path;
    } catch (const std::exception &e) {
        dialogs::MsgBox_Routine::MostraMessaggio(core::messageOf(e), kStyleOk, QStringLiteral("Errore"));
    }
}

} // namespace app
