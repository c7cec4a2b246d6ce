#pragma once

#include "browserlauncher.h"
#include "filerecount.h"
#include "runcontext.h"
#include "settings.h"
#include "settingsmenu.h"

#include <QDate>
#include <QDir>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;
class QToolButton;

namespace app {

// The main window: the range of days and rooms, the structure, the kind of file, and the
// command that writes the file, opens the portal's page and closes the program.
// Files are resolved against `folder`; `browser` opens the portal's page; `today` gives the
// calendar day (the system clock in the program).
class NaxDesktop : public QMainWindow
{
    Q_OBJECT

public:
    NaxDesktop(const QDir &folder, BrowserLauncher &browser, std::function<QDate()> today = &QDate::currentDate,
               QWidget *parent = nullptr);

    ~NaxDesktop() override;

    // Shows the window, reports a broken settings file and runs the first activation; then
    // counts again, in the background, the files of the last days.
    void start();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void loadSettings();

    // Runs after loading and whenever one of the tool's boxes closes, failure boxes excepted:
    // yesterday in both date fields, the structure list, the start-up phase.
    void activate();
    void readStructureList();
    void loadStructures();
    int ask(const QString &message, int style, const QString &title);
    void showError(const QString &message);
    void showMissingDays();
    void startRecount();
    // Waits for the count of the recent files, whose result is then the window's.
    void awaitRecount();

    void enterPressed(int field);
    // The run the window's fields and boxes choose now; throws OperatorError while the settings
    // or the structure list cannot be used.
    Run currentRun() const;
    void createFile();
    void checkCards();
    void showWrittenFiles();
    void editSetting(SettingItem item);

    QDir m_folder;
    BrowserLauncher &m_browser;
    std::function<QDate()> m_today;
    Settings m_settings;
    std::optional<QString> m_settingsError;
    std::optional<QString> m_structureError;
    StructureList m_structures;

    std::array<QLineEdit *, 4> m_text1{};
    QPushButton *m_crea = nullptr;
    QToolButton *m_esci = nullptr;
    QCheckBox *m_chk = nullptr;
    QCheckBox *m_chk2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLabel *m_strip = nullptr; // Label1(4)
    QLineEdit *m_selectAfterClick = nullptr;

    // The files of the last days whose figures the cards no longer give, counted again in the
    // background so that the window never waits for it.
    QThread *m_recount = nullptr;
    std::shared_ptr<QList<movement::StaleFile>> m_recounted;
    QList<movement::StaleFile> m_stale;
};

} // namespace app
