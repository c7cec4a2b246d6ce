#include "writtenfileswindow.h"

#include "csvsave.h"
#include "daytext.h"
#include "fonts.h"
#include "listparts.h"
#include "missingdaystext.h"
#include "operatorerror.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

namespace {

using State = movement::DayCoverage::State;

constexpr int kDayRole = Qt::UserRole;
// Columns that sort by what they mean rather than by their text.
constexpr int kWrittenAtColumn = 0;
constexpr int kFirstColumn = 3;
constexpr int kLastColumn = 4;
constexpr int kSizeColumn = 9;
constexpr int kFirstFigureColumn = 11;

QColor stateColour(State state)
{
    switch (state) {
    case State::Written: return QColor(192, 255, 192);
    case State::Closed: return QColor(224, 224, 224);
    case State::Missing: break;
    }
    return QColor(255, 192, 192);
}

QVariant sortKey(const movement::RegisterEntry &entry, int column, const QString &text)
{
    if (column == kWrittenAtColumn)
        return entry.writtenAt;
    if (column == kFirstColumn)
        return entry.figures.first;
    if (column == kLastColumn)
        return entry.figures.last;
    if (column == kSizeColumn || column >= kFirstFigureColumn)
        return text.toLongLong();
    return text;
}

} // namespace

QString writtenDaysFileName(QDate today)
{
    return QStringLiteral("giorni-%1.csv").arg(movement::dashedDay(today));
}

WrittenFilesWindow::WrittenFilesWindow(const movement::RegisterContents &contents, QDate today, QString savePath,
                                       QWidget *parent)
    : QDialog(parent), m_coverage(contents.entries), m_first(today.addDays(-kDaysShown)), m_last(today.addDays(-1)),
      m_savePath(std::move(savePath))
{
    dressListWindow(this, QStringLiteral("File scritti"));

    auto *layout = new QVBoxLayout(this);
    auto *summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setFont(dialogs::fontCorbel(9.75));
    summary->setWordWrap(true);
    QString text = contents.entries.isEmpty()
                       ? QStringLiteral("Il registro non contiene ancora nessun file scritto.")
                       : QStringLiteral("File scritti dal programma in questa cartella, i più recenti in alto. Il "
                                        "registro non sa se un file è stato caricato sul portale.");
    if (!contents.unreadable.isEmpty())
        text += u' ' + contents.warning();
    summary->setText(text);
    layout->addWidget(summary);
    layout->addWidget(registerTable(contents.entries), 1);

    auto *daysCaption = new QLabel(QStringLiteral("Gli ultimi %1 giorni (selezionare i giorni mancanti da preparare):")
                                       .arg(kDaysShown),
                                   this);
    daysCaption->setFont(dialogs::fontCorbel(9.75));
    layout->addWidget(daysCaption);
    layout->addWidget(dayRow());

    auto *buttons = new QHBoxLayout;
    m_prepare = listButton(QStringLiteral("&Prepara questi giorni"), QStringLiteral("prepara"), this);
    m_prepare->setEnabled(false);
    QPushButton *salva = listButton(QStringLiteral("&Salva"), QStringLiteral("salva"), this);
    QPushButton *chiudi = listButton(QStringLiteral("C&hiudi"), QStringLiteral("chiudi"), this);
    buttons->addStretch();
    for (QPushButton *b : {m_prepare, salva, chiudi})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(m_days, &QListWidget::itemSelectionChanged, this,
            [this] { m_prepare->setEnabled(selectedMissingRun().has_value()); });
    connect(m_prepare, &QPushButton::clicked, this, [this] {
        if (const auto run = selectedMissingRun()) {
            emit prepare(run->first, run->second);
            accept();
        }
    });
    connect(salva, &QPushButton::clicked, this, &WrittenFilesWindow::save);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    resize(1100, 560);
}

QWidget *WrittenFilesWindow::registerTable(const QList<movement::RegisterEntry> &entries)
{
    auto *model = new QStandardItemModel(0, int(movement::registerCaptions().size()), this);
    model->setHorizontalHeaderLabels(movement::registerCaptions());
    // Newest first: the register is in the order the lines were added.
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry)
        model->appendRow(sortableRow(entry->texts(), [&](int column, const QString &text) { return sortKey(*entry, column, text); }));
    return sortableTable(model, QStringLiteral("register"), this);
}

QListWidget *WrittenFilesWindow::dayRow()
{
    m_days = new QListWidget(this);
    m_days->setObjectName(QStringLiteral("days"));
    m_days->setFont(dialogs::fontArial(8.25));
    m_days->setFlow(QListView::LeftToRight);
    m_days->setWrapping(false);
    m_days->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (QDate day = m_first; day <= m_last; day = day.addDays(1)) {
        const State state = m_coverage.state(day);
        auto *item = new QListWidgetItem(
            day.toString(u"dd/MM") + u'\n' + movement::stateWord(state).left(1).toUpper() + movement::stateWord(state).mid(1),
            m_days);
        item->setData(kDayRole, day);
        item->setBackground(stateColour(state));
        item->setTextAlignment(Qt::AlignCenter);
        item->setToolTip(movement::spokenDay(day) + QStringLiteral(": ") + movement::stateWord(state));
    }
    m_days->setFixedHeight(m_days->sizeHintForRow(0) + 2 * m_days->frameWidth()
                           + m_days->horizontalScrollBar()->sizeHint().height());
    // The latest days in view, once the row has its width.
    QTimer::singleShot(0, m_days, [days = m_days] { days->scrollToItem(days->item(days->count() - 1)); });
    return m_days;
}

std::optional<std::pair<QDate, QDate>> WrittenFilesWindow::selectedMissingRun() const
{
    QList<QDate> days;
    for (const QListWidgetItem *item : m_days->selectedItems())
        days << item->data(kDayRole).toDate();
    if (days.isEmpty())
        return std::nullopt;
    std::sort(days.begin(), days.end());
    if (days.first().daysTo(days.last()) + 1 != days.size()
        || m_coverage.missing(days.first(), days.last()).size() != days.size())
        return std::nullopt;
    return std::pair{days.first(), days.last()};
}

void WrittenFilesWindow::save()
{
    const QByteArray bytes = movement::coverageCsv(m_coverage, m_first, m_last);
    const auto write = [&](QIODevice &out) {
        if (out.write(bytes) != bytes.size())
            throw core::OperatorError(u"Scrittura non riuscita nel file dei giorni.", {});
    };
    if (const std::optional<QString> saved = saveCsvAs(this, QStringLiteral("Salva i giorni e il loro stato"), m_savePath, write))
        m_savePath = *saved;
}

} // namespace app
