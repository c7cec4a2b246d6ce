#include "naxdesktop.h"

#include "browsercommand.h"
#include "cardcheck.h"
#include "cardcheckwindow.h"
#include "daytext.h"
#include "fieldentry.h"
#include "fonts.h"
#include "inputboxroutine.h"
#include "movementfile.h"
#include "msgboxroutine.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "progressstrip.h"
#include "recordedfile.h"
#include "roomrange.h"
#include "twips.h"
#include "writtenfileswindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QThread>
#include <QToolButton>

// The resources live in this static library, so they are registered explicitly.
static void initResources()
{
    Q_INIT_RESOURCE(app);
}

namespace app {

namespace {

// The window as designed, in twips (left, top, width, height within the client area).
constexpr QSize kClientTwips(4185, 3525);
constexpr QRect kLabelTwips[] = {
    {120, 240, 900, 255},   // Label1(0) "Dalla data"
    {120, 600, 900, 255},   // Label1(1) "Alla data"
    {120, 1620, 900, 255},  // Label1(2) "Alla cam."
    {120, 1200, 900, 255},  // Label1(3) "Dalla cam."
    {120, 2760, 3915, 255}, // Label1(4) the yellow strip
    {120, 3120, 780, 255},  // Label1(5) "Hotel "
};
const char *const kLabelCaptions[] = {"Dalla data", "Alla data", "Alla cam.", "Dalla cam.", "", "Hotel "};
constexpr QRect kText1Twips[] = {
    {960, 240, 1215, 285},
    {960, 600, 1215, 285},
    {1020, 1200, 636, 288},
    {1020, 1620, 624, 288},
};
constexpr QRect kCreaTwips(2400, 240, 1590, 1050);
constexpr QRect kEsciTwips(2400, 1440, 1590, 1170);
constexpr QRect kChkTwips(120, 2040, 2055, 255);
constexpr QRect kChk2Twips(120, 2400, 2055, 255);
constexpr QRect kCombo1Twips(1080, 3120, 855, 330);

const QColor kBackground(192, 192, 255);
const QColor kStrip(255, 255, 192);
constexpr int kMaxFieldLength = 10;
constexpr int kEsciPicturePixels = 48;

const QString kErrorTitle = QStringLiteral("Errore");
constexpr int kStyleOk = 0;
constexpr int kStyleWarning = 48; // "Ok" with the exclamation mark
constexpr int kStyleYesNoDefaultNo = 292;
constexpr int kAnswerYes = 6;

// The room fields are narrow for the six characters of "ZZZZZZ": the line edit's own margins
// give way to the text, as far as the field's frame allows, so that it shows whole.
void makeRoomFor(QLineEdit *edit, QStringView widest)
{
    constexpr int kLineEditMargins = 4; // Qt keeps 2 pixels on either side of the text
    constexpr int kCursorWidth = 1;
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    frame.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
    const int room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit).width();
    const int lacking = edit->fontMetrics().horizontalAdvance(widest.toString()) + kCursorWidth + kLineEditMargins - room;
    if (lacking > 0)
        edit->setTextMargins(-(lacking / 2), 0, -(lacking - lacking / 2), 0);
}

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Runs `work` over the run's days, each shown on the strip as it begins.
template<typename Work>
auto showingDays(QLabel *strip, movement::MovementContext &context, Work work)
{
    ProgressStrip busy(strip);
    context.progress = [&busy](QDate day) { busy.day(day); };
    // The strip ends with the run, however the run ends: the context must not keep calling it.
    const auto unhook = qScopeGuard([&context] { context.progress = {}; });
    return work();
}

} // namespace

NaxDesktop::NaxDesktop(const QDir &folder, BrowserLauncher &browser, std::function<QDate()> today, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_folder(folder), m_browser(browser), m_today(std::move(today))
{
    initResources();
    setWindowTitle(QStringLiteral("Preparazione file per Istat (Velunor)"));
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    buildControls();
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    loadSettings();

    const QRect screenArea = screen()->geometry();
    adjustSize();
    move(screenArea.center() - rect().center());
}

void NaxDesktop::buildControls()
{
    const qreal dpi = screen()->logicalDotsPerInch();
    auto *client = new QWidget(this);
    client->setFixedSize(dialogs::twipsToPixels(kClientTwips, dpi));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    for (int i = 0; i < int(std::size(kLabelTwips)); ++i) {
        auto *label = new QLabel(QString::fromUtf8(kLabelCaptions[i]), client);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setGeometry(dialogs::twipsToPixels(kLabelTwips[i], dpi));
        label->setFont(dialogs::fontCorbel(9.75));
        if (i == 4) {
            QPalette strip = label->palette();
            strip.setColor(QPalette::Window, kStrip);
            label->setPalette(strip);
            label->setAutoFillBackground(true);
            label->setFont(dialogs::fontArial(8.25));
            m_strip = label;
        }
    }

    for (int i = 0; i < 4; ++i) {
        auto *edit = new QLineEdit(client);
        edit->setObjectName(QStringLiteral("Text1_%1").arg(i));
        edit->setGeometry(dialogs::twipsToPixels(kText1Twips[i], dpi));
        edit->setMaxLength(kMaxFieldLength);
        edit->setFont(dialogs::fontArial(i < 2 ? 7.5 : 8.25, true));
        QPalette white = edit->palette();
        white.setColor(QPalette::Base, Qt::white);
        edit->setPalette(white);
        edit->installEventFilter(this);
        m_text1[i] = edit;
    }
    m_text1[3]->setText(movement::kLastRoom.toString());
    for (QLineEdit *room : {m_text1[2], m_text1[3]})
        makeRoomFor(room, m_text1[3]->text());

    m_crea = new QPushButton(QStringLiteral("&Crea File"), client);
    m_crea->setObjectName(QStringLiteral("T0"));
    m_crea->setGeometry(dialogs::twipsToPixels(kCreaTwips, dpi));
    m_crea->setFont(dialogs::fontCorbel(12));
    m_crea->installEventFilter(this);
    connect(m_crea, &QPushButton::clicked, this, &NaxDesktop::createFile);

    m_esci = new QToolButton(client);
    m_esci->setObjectName(QStringLiteral("T1"));
    m_esci->setText(QStringLiteral("&Esci"));
    m_esci->setGeometry(dialogs::twipsToPixels(kEsciTwips, dpi));
    m_esci->setFont(dialogs::fontCorbel(12, true));
    m_esci->setIcon(QIcon(QStringLiteral(":/exitdoor.png")));
    m_esci->setIconSize(QSize(kEsciPicturePixels, kEsciPicturePixels));
    m_esci->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_esci->setFocusPolicy(Qt::StrongFocus);
    QPalette white = m_esci->palette();
    white.setColor(QPalette::Button, Qt::white);
    m_esci->setPalette(white);
    m_esci->setAutoFillBackground(true);
    m_esci->installEventFilter(this);
    connect(m_esci, &QToolButton::clicked, this, &NaxDesktop::close);

    m_chk = new QCheckBox(QStringLiteral("Start up"), client);
    m_chk->setObjectName(QStringLiteral("Chk"));
    m_chk->setGeometry(dialogs::twipsToPixels(kChkTwips, dpi));
    m_chk->setFont(dialogs::fontCorbel(9.75));
    m_chk2 = new QCheckBox(QStringLiteral("Struttura chiusa"), client);
    m_chk2->setObjectName(QStringLiteral("Chk2"));
    m_chk2->setGeometry(dialogs::twipsToPixels(kChk2Twips, dpi));
    m_chk2->setFont(dialogs::fontCorbel(9.75));

    m_combo1 = new QComboBox(client);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setGeometry(dialogs::twipsToPixels(kCombo1Twips, dpi));
    m_combo1->setFont(dialogs::fontArial(8.25));

    QWidget *order[] = {m_text1[0], m_text1[1], m_text1[2], m_text1[3], m_crea, m_esci, m_chk, m_chk2, m_combo1};
    for (int i = 1; i < int(std::size(order)); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void NaxDesktop::buildMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("Impostazioni"));
    menu->setObjectName(QStringLiteral("menu1"));
    for (SettingItem item : {SettingItem::PercorsoFile, SettingItem::ComandoWeb, SettingItem::CodiceStruttura}) {
        QAction *action = menu->addAction(settingPrompt(item).menuText);
        action->setObjectName(QStringLiteral("menu2_%1").arg(int(item)));
        connect(action, &QAction::triggered, this, [this, item] { editSetting(item); });
    }
    QMenu *check = menuBar()->addMenu(QStringLiteral("Controllo"));
    check->setObjectName(QStringLiteral("menuControllo"));
    QAction *cards = check->addAction(QStringLiteral("Schede del periodo"));
    cards->setObjectName(QStringLiteral("menuSchede"));
    connect(cards, &QAction::triggered, this, &NaxDesktop::checkCards);
    QAction *written = check->addAction(QStringLiteral("File scritti"));
    written->setObjectName(QStringLiteral("menuFileScritti"));
    connect(written, &QAction::triggered, this, &NaxDesktop::showWrittenFiles);
}

void NaxDesktop::loadSettings()
{
    try {
        m_settings = readSettingsFile(m_folder).value_or(defaultSettings());
    } catch (const std::exception &e) {
        // Until the file is fixed, nothing is written with settings that were not the operator's.
        m_settings = defaultSettings();
        m_settingsError = core::messageOf(e);
    }
}

NaxDesktop::~NaxDesktop()
{
    awaitRecount();
}

void NaxDesktop::start()
{
    show();
    if (m_settingsError)
        showError(*m_settingsError);
    activate();
    showMissingDays();
    startRecount();
}

void NaxDesktop::startRecount()
{
    m_recounted = std::make_shared<QList<movement::StaleFile>>();
    m_recount = QThread::create([folder = m_folder, today = m_today(), recounted = m_recounted] {
        try {
            *recounted = readWrittenDays(folder, today).stale();
        } catch (const std::exception &) {
            // A register or a database that cannot be read: "Crea File" says why when it is pressed.
        }
    });
    m_recount->setParent(this);
    connect(m_recount, &QThread::finished, this, [this] {
        m_stale = *m_recounted;
        // A run of the operator's has the strip; its end shows the files then.
        if (!QGuiApplication::overrideCursor())
            showMissingDays();
    });
    m_recount->start();
}

void NaxDesktop::awaitRecount()
{
    if (!m_recount || m_recount->isFinished())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_recount->wait();
    QGuiApplication::restoreOverrideCursor();
    m_stale = *m_recounted;
}

// Whenever the strip has nothing else to say: the days of the last week that lack a file, and
// the files the cards no longer agree with.
void NaxDesktop::showMissingDays()
{
    const MissingDaysNote note = missingDaysNote(m_folder, m_today(), m_stale);
    m_strip->setText(m_strip->fontMetrics().elidedText(note.text, Qt::ElideRight, m_strip->contentsRect().width()));
    m_strip->setToolTip(note.detail);
}

void NaxDesktop::activate()
{
    const QString yesterday = movement::dayText(m_today().addDays(-1));
    m_text1[0]->setText(yesterday);
    m_text1[1]->setText(yesterday);

    readStructureList();

    const bool startupDone = startupMarkExists(m_folder);
    m_chk->setChecked(!startupDone);
    m_chk->setEnabled(!startupDone);

    if (m_structureError)
        showError(*m_structureError);
}

void NaxDesktop::readStructureList()
{
    m_structureError.reset();
    try {
        loadStructures();
    } catch (const std::exception &e) {
        m_combo1->clear();
        m_structureError = core::messageOf(e);
    }
}

void NaxDesktop::loadStructures()
{
    m_combo1->clear();
    const std::optional<StructureList> list = readStructureFile(m_folder);
    m_combo1->addItems(selectorItems(list));
    if (list)
        m_structures.take(*list);
}

int NaxDesktop::ask(const QString &message, int style, const QString &title)
{
    const int answer = dialogs::MsgBox_Routine::MostraMessaggio(message, style, title);
    activate();
    return answer;
}

// Unlike the other boxes, a failure box is followed by no activation: the operator corrects
// the field or the file it names and tries again with everything else as it was left.
void NaxDesktop::showError(const QString &message)
{
    dialogs::MsgBox_Routine::MostraMessaggio(message, kStyleOk, kErrorTitle);
    // A structure list that could not be read leaves nothing to keep: it is read again, so that
    // the mended file counts without a restart. The operator has just read what was wrong.
    if (m_structureError)
        readStructureList();
}

bool NaxDesktop::eventFilter(QObject *watched, QEvent *event)
{
    const auto field = std::find(m_text1.begin(), m_text1.end(), watched);
    if (field != m_text1.end()) {
        if (event->type() == QEvent::FocusIn) {
            (*field)->selectAll();
            // The click that gave the focus would put the cursor inside a full field, where
            // typing does nothing: the whole text is selected again once the click is over.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                m_selectAfterClick = *field;
        }
        if (event->type() == QEvent::MouseButtonRelease && m_selectAfterClick == *field) {
            m_selectAfterClick = nullptr;
            (*field)->selectAll();
        }
        if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))) {
            enterPressed(int(field - m_text1.begin()));
            return true;
        }
    } else if ((watched == m_crea || watched == m_esci) && event->type() == QEvent::KeyPress
               && isEnter(static_cast<QKeyEvent *>(event))) {
        static_cast<QAbstractButton *>(watched)->click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void NaxDesktop::enterPressed(int field)
{
    QLineEdit *edit = m_text1[field];
    switch (field) {
    case 0:
    case 1: {
        edit->setText(CompletaData(PulisciTesto(edit->text())));
        const QDate day = movement::readDay(edit->text()).day;
        // A first day that is no day leaves nothing to put in order: "Crea File" names it.
        const QDate first = movement::readDay(m_text1[0]->text()).day;
        if (!day.isValid())
            edit->clear();
        else if (field == 0)
            m_text1[1]->setFocus();
        else if (!first.isValid() || first <= day)
            m_text1[2]->setFocus();
        else
            edit->setText(m_text1[0]->text());
        break;
    }
    case 2:
        edit->setText(PulisciTesto(edit->text()));
        m_text1[3]->setFocus();
        break;
    case 3:
        edit->setText(PulisciTesto(edit->text()));
        m_crea->setFocus();
        break;
    }
}

Run NaxDesktop::currentRun() const
{
    if (m_settingsError)
        throw core::OperatorError(*m_settingsError);
    if (m_structureError)
        throw core::OperatorError(*m_structureError);
    const RunChoices choices{fileKind(m_chk->isChecked(), m_chk2->isChecked()),
                             {m_text1[0]->text(), m_text1[1]->text(), m_text1[2]->text(), m_text1[3]->text()},
                             m_combo1->currentText()};
    return prepareRun(m_folder, m_settings, m_structures, choices, m_today());
}

void NaxDesktop::createFile()
{
    const bool startUp = m_chk->isChecked();
    // A file refused leaves the window open, its strip emptied by the run.
    const auto refresh = qScopeGuard([this] { if (isVisible()) showMissingDays(); });
    try {
        Run run = currentRun();
        const RecordedFile recorded = showingDays(m_strip, run.context, [&run] {
            return writeRecordedFile(run, movement::RegisterEntry::Source::Window, QDateTime::currentDateTime());
        });
        const QString &written = recorded.path;
        // For the portal's upload dialog: Ctrl+V in its file name box picks the file. Windows
        // keeps the text after the program ends.
        QGuiApplication::clipboard()->setText(QDir::toNativeSeparators(written));
        if (!recorded.note.isEmpty())
            dialogs::MsgBox_Routine::MostraMessaggio(recorded.note, kStyleWarning, QStringLiteral("Registro dei file scritti"));
        try {
            openPortalPage(m_settings.ComandoWeb, m_folder, m_browser);
        } catch (const core::OperatorError &e) {
            // The reason is a message of its own, whole.
            throw core::OperatorError(core::operatorMessage(u"Il file «%1» è stato scritto, ma la pagina web per "
                                                            u"caricarlo non si è aperta. ",
                                                            {QDir::toNativeSeparators(written)})
                                      + e.message()
                                      + QStringLiteral(" Intanto si può caricare il file a mano sul portale Velunor: il "
                                                       "suo percorso è negli appunti."));
        }
        if (startUp && ask(QStringLiteral("Fase di Start up eseguita?"), kStyleYesNoDefaultNo,
                           QStringLiteral("Invio dati")) == kAnswerYes)
            writeStartupMark(m_folder);
        close();
    } catch (const std::exception &e) {
        showError(core::messageOf(e));
    }
}

void NaxDesktop::checkCards()
{
    const auto refresh = qScopeGuard([this] { showMissingDays(); });
    try {
        Run run = currentRun();
        const QList<movement::CardFinding> findings = showingDays(m_strip, run.context, [&run] {
            return movement::checkCards(run.kind, run.context, run.args);
        });
        const QDate first = movement::checkedDay(run.args.DallaData, movement::kDallaData);
        CardCheckWindow window(checkedFileText(run), findings, m_folder.filePath(cardCheckFileName(first)), this);
        window.exec();
    } catch (const std::exception &e) {
        showError(core::messageOf(e));
    }
}

void NaxDesktop::showWrittenFiles()
{
    awaitRecount();
    std::optional<WrittenDays> days;
    try {
        days = readWrittenDays(m_folder, m_today());
    } catch (const std::exception &e) {
        showError(core::messageOf(e));
        return;
    }
    const QDate today = m_today();
    WrittenFilesWindow window(*days, m_stale, m_folder.filePath(writtenDaysFileName(today)), this);
    connect(&window, &WrittenFilesWindow::prepare, this, [this](QDate first, QDate last, int structure) {
        m_text1[0]->setText(movement::dayText(first));
        m_text1[1]->setText(movement::dayText(last));
        if (structure > 0)
            m_combo1->setCurrentText(QString::number(structure));
    });
    window.exec();
}

void NaxDesktop::editSetting(SettingItem item)
{
    try {
        if (std::optional<Settings> saved = readSettingsFile(m_folder)) {
            m_settings = *saved;
            m_settingsError.reset();
        }
    } catch (const std::exception &e) {
        m_settingsError = core::messageOf(e);
        showError(*m_settingsError);
        return;
    }

    const SettingPrompt prompt = settingPrompt(item);
    const std::optional<QString> answer =
        dialogs::InputBox_Routine::RichiediTesto(prompt.prompt, prompt.title, settingOf(m_settings, item));
    activate();

    // "Annulla" keeps the setting as it was; the file is rewritten either way.
    Settings updated = m_settings;
    if (answer)
        settingOf(updated, item) = *answer;
    try {
        writeSettingsFile(m_folder, updated);
        m_settings = updated;
        // The file is now the operator's own and sound, whatever it was at start.
        m_settingsError.reset();
    } catch (const std::exception &e) {
        showError(core::messageOf(e));
    }
}

} // namespace app
