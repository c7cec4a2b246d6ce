#pragma once

// Drives the main window headless as the operator would: a folder standing in for the
// hotel's, the window opened on a fixed day, the tool's modal boxes answered through their
// own buttons and keys.

#include "naxdesktop.h"
#include "recordinglauncher.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

namespace naxwindow {

using app::NaxDesktop;

inline const QDate kToday(2024, 3, 1);
inline const QString kYesterday = u"29/02/2024"_qs;

// What one of the tool's boxes showed before it was answered.
struct Box
{
    bool shown = false;
    QString title;
    QString text;
    QString input;
    QString selected;
    QStringList buttons; // the visible buttons' captions, left to right
    QString focused;     // the widget that had the focus when the box was answered
};

// Answers the next modal box once it is shown and active, through its own buttons and keys.
// A box the answer leaves open is rejected so that a failing test cannot hang. While a file is
// being written (the wait cursor is up) a long run lets the event loop turn before any box
// exists: the answer then waits for the run to end instead of for the box, which comes after.
inline void answerNextBox(Box &seen, std::function<void(QDialog *)> answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        if (QGuiApplication::overrideCursor())
            return QTimer::singleShot(10, [&seen, answer] { answerNextBox(seen, answer); });
        QPointer<QDialog> box;
        if (!QTest::qWaitFor([&] {
                box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                return box && box->isVisible();
            }))
            return;
        box->activateWindow();
        if (!QTest::qWaitForWindowActive(box))
            return box->reject();
        seen.shown = true;
        seen.title = box->findChild<QLabel *>(u"Label1"_qs)->text();
        seen.text = box->findChild<QTextEdit *>(u"Text1"_qs)->toPlainText();
        for (const QPushButton *button : box->findChildren<QPushButton *>()) {
            if (button->isVisible())
                seen.buttons << button->text();
        }
        seen.focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        if (auto *input = box->findChild<QLineEdit *>(u"Text2"_qs)) {
            seen.input = input->text();
            seen.selected = input->selectedText();
        }
        answer(box);
        if (box && box->isVisible())
            box->reject();
    });
}

inline void pressButton(QDialog *box, int index)
{
    QTest::mouseClick(box->findChild<QPushButton *>(u"T%1"_qs.arg(index)), Qt::LeftButton);
}

inline void pressOk(QDialog *box) { pressButton(box, 0); }

inline void pressKey(QDialog *, Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

// A folder that stands in for the hotel's: the settings files, and the browser the window is given.
struct Hotel
{
    QTemporaryDir dir;
    RecordingLauncher browser;

    QString path(const QString &name) const { return dir.filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QStringList xmlFiles() const { return QDir(dir.path()).entryList({u"*.xml"_qs}, QDir::Files); }

    // A browser that records how it was started, in "browser.txt" of the folder it runs in, for
    // the system's launcher; the recording launcher notes the command itself.
    static QString browserCommand()
    {
        const QString program = QFileInfo(QStringLiteral(RECORDBROWSER_PATH)).absoluteFilePath();
        return u'"' + QDir::toNativeSeparators(program) + u"\" https://velunor.regione.example/Velunor/app/"_qs;
    }

    // The mark that ends the start-up phase, as the first confirmed run leaves it.
    void endStartUp() const { write(u"IPUSU.txt"_qs, "Ok\r\n"); }

    // The settings with the recording browser, the output in this folder and the given code.
    void settings(const QByteArray &percorso = "DuzizUzazi.xml", const QByteArray &code = "ABC123") const
    {
        write(u"NaxSetup.txt"_qs, percorso + "\r\n" + browserCommand().toUtf8() + "\r\n" + code + "\r\n");
    }
};

// The window on the hotel's folder, opening the portal's page through the hotel's recording
// browser or the launcher given.
inline std::unique_ptr<NaxDesktop> openWindow(Hotel &hotel, QDate today = kToday, app::BrowserLauncher *launcher = nullptr)
{
    auto window = std::make_unique<NaxDesktop>(QDir(hotel.dir.path()), launcher ? *launcher : hotel.browser,
                                               [today] { return today; });
    window->start();
    return window;
}

inline bool makeActive(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

template<typename T>
inline T *control(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

// Presses "Crea File" and answers with "Ok" the box that a failure brings up.
inline void pressCreaFile(const QWidget *window, Box &box)
{
    answerNextBox(box, pressOk);
    QTest::mouseClick(control<QPushButton>(window, u"T0"_qs), Qt::LeftButton);
}

// A run refused through its box, which named what: the window stays open, no movement file
// appears and the portal's page is not opened.
inline void expectRefused(const Hotel &hotel, const QWidget *window, const Box &box, const QString &what)
{
    QCOMPARE(box.title, u"Errore"_qs);
    QVERIFY2(box.text.contains(what), qPrintable(box.text.left(300)));
    QVERIFY(window->isVisible());
    QCOMPARE(hotel.xmlFiles(), QStringList());
    QCOMPARE(hotel.browser.opened, QStringList());
}

inline QLineEdit *field(const QWidget *window, int index)
{
    return control<QLineEdit>(window, u"Text1_%1"_qs.arg(index));
}

inline QString focused()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

inline void typeAndEnter(const QWidget *window, int index, const QString &text)
{
    QLineEdit *edit = field(window, index);
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

inline QStringList comboItems(const QWidget *window)
{
    auto *combo = control<QComboBox>(window, u"Combo1"_qs);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace naxwindow
