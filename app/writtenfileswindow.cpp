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

QColor stateColour(State state)
{
    switch (state) {
    case State::Unknown: return QColor(255, 255, 255);
    case State::Written: return QColor(192, 255, 192);
    case State::Closed: return QColor(224, 224, 224);
    case State::Missing: break;
    }
    return QColor(255, 192, 192);
}

} // namespace

QString writtenDaysFileName(QDate today)
{
    return QStringLiteral("giorni-%1.csv").arg(movement::dashedDay(today));
}

WrittenFilesWindow::WrittenFilesWindow(const WrittenDays &days, const QList<movement::StaleFile> &stale,
                                       QString savePath, QWidget *parent)
    : QDialog(parent), m_coverage(days.coverage), m_stale(stale), m_proposed(days.proposed), m_first(days.lastDue.addDays(1 - kDaysShown)),
      m_last(days.lastDue), m_savePath(std::move(savePath))
{
    const movement::RegisterContents &contents = days.contents;
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
    for (const movement::StaleFile &file : m_stale)
        text += u' ' + movement::staleFileText(file) + u'.';
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
            emit prepare(run->first, run->last, run->structure);
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
        model->appendRow(sortableRow(entry->texts(), [&](int column, const QString &) {
            return entry->value(movement::RegisterColumn(column));
        }));
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
        const movement::StaleFile *stale = state == State::Written ? staleOn(day) : nullptr;
        const QString word = stale ? QStringLiteral("da riscrivere") : movement::stateWord(state);
        auto *item = new QListWidgetItem(day.toString(u"dd/MM") + u'\n' + word.left(1).toUpper() + word.mid(1), m_days);
        item->setData(kDayRole, day);
        item->setBackground(stale ? QColor(255, 224, 160) : stateColour(state));
        item->setTextAlignment(Qt::AlignCenter);
        QString tip = movement::spokenDay(day) + QStringLiteral(": ") + word;
        if (const std::optional<movement::MissingDay> lacking = m_coverage.missing(day); lacking && lacking->partly())
            tip += u' ' + movement::structuresNote(lacking->structures);
        if (state == State::Unknown)
            tip += QStringLiteral(" (prima del primo file del registro)");
        if (stale)
            tip += QStringLiteral(". ") + movement::staleFileText(*stale);
        item->setToolTip(tip);
    }
    m_days->setFixedHeight(m_days->sizeHintForRow(0) + 2 * m_days->frameWidth()
                           + m_days->horizontalScrollBar()->sizeHint().height());
    // The latest days in view, once the row has its width.
    QTimer::singleShot(0, m_days, [days = m_days] { days->scrollToItem(days->item(days->count() - 1)); });
    return m_days;
}

std::optional<WrittenFilesWindow::Prepared> WrittenFilesWindow::selectedMissingRun() const
{
    QList<QDate> days;
    for (const QListWidgetItem *item : m_days->selectedItems())
        days << item->data(kDayRole).toDate();
    if (days.isEmpty() || (m_proposed == movement::FileKind::Schema && days.size() > 1))
        return std::nullopt;
    std::sort(days.begin(), days.end());
    if (days.first().daysTo(days.last()) + 1 != days.size())
        return std::nullopt;
    // The structure to select when every day lacks that one alone.
    QList<QList<int>> structures;
    for (QDate day : days) {
        const movement::StaleFile *stale = staleOn(day);
        if (const std::optional<movement::MissingDay> lacking = m_coverage.missing(day))
            structures << lacking->structures;
        else if (stale && m_coverage.state(day) == State::Written)
            structures << QList<int>{stale->structure};
        else
            return std::nullopt;
    }
    const QList<int> &first = structures.first();
    const bool one = first.size() == 1 && first.first() > 0 && structures.count(first) == structures.size();
    return Prepared{movement::typedDay(m_proposed, days.first()), movement::typedDay(m_proposed, days.last()),
                    one ? first.first() : 0};
}

const movement::StaleFile *WrittenFilesWindow::staleOn(QDate day) const
{
    const auto stale = std::find_if(m_stale.cbegin(), m_stale.cend(), [day](const movement::StaleFile &f) {
        return f.entry.figures.first <= day && day <= f.entry.figures.last;
    });
    return stale == m_stale.cend() ? nullptr : &*stale;
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
