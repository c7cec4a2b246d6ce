// The register of written files through the real window and the command line, headless: the
// window's line, a register that cannot be written, the week's missing days on the yellow
// strip, "Controllo" › "File scritti" handing missing days back, and --mancanti.

#include "commandlinefixture.h"
#include "writtenfiles.h"
#include "writtenfileswindow.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMenuBar>
#include <QScopeGuard>
#include <QTableView>

using namespace naxwindow;
using movement::RegisterEntry;

namespace {

// The window opens on 01/03/2024: yesterday is 29/02/2024.
const QDate kYesterdayDate(2024, 2, 29);

// Presses "Crea File" for the closed-structure file of the days in the fields, which needs no
// database, and waits for the window to close.
void createClosedFile(NaxDesktop *window)
{
    control<QCheckBox>(window, u"Chk2"_qs)->setChecked(true);
    QTest::mouseClick(control<QPushButton>(window, u"T0"_qs), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !window->isVisible(); }));
}

Output runIn(const Hotel &hotel, const QStringList &arguments)
{
    return naxwindow::runIn(hotel, arguments, kToday);
}

// The closed-structure file of the days, written by the command line.
void writeClosed(const Hotel &hotel, const QString &from, const QString &to)
{
    QCOMPARE(runIn(hotel, {u"--file=chiusa"_qs, u"--dalla"_qs, from, u"--alla"_qs, to}).status, app::kExitDone);
}

} // namespace

class TestWrittenFiles : public QObject
{
    Q_OBJECT

private slots:
    // A register that cannot be written never undoes the file: the run succeeds and says why.
    void registerThatCannotBeWritten()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        QVERIFY(QDir(hotel.dir.path()).mkdir(u"NaxRegistro.csv"_qs));
        auto window = openWindow(hotel);
        Box box;
        answerNextBox(box, pressOk);
        createClosedFile(window.get());
        QCOMPARE(box.title, u"Registro dei file scritti"_qs);
        QVERIFY2(box.text.contains(u"DuzizUzazi2024-02-29.xml") && box.text.contains(u"non è stato aggiornato")
                     && box.text.contains(u"NaxRegistro.csv"),
                 qPrintable(box.text));
        QCOMPARE(hotel.xmlFiles(), QStringList{u"DuzizUzazi2024-02-29.xml"_qs});
        QCOMPARE(hotel.browser.opened.size(), 1); // the portal opened all the same

        const Output line = runIn(hotel, {u"--file=chiusa"_qs, u"--dalla"_qs, u"25/02/2024"_qs});
        QCOMPARE(line.status, app::kExitDone);
        QVERIFY2(QString::fromUtf8(line.err).contains(u"non è stato aggiornato"), line.err.constData());
        QVERIFY(QFile::exists(hotel.path(u"DuzizUzazi2024-02-25.xml"_qs)));
        QVERIFY(QFileInfo(hotel.path(u"NaxRegistro.csv"_qs)).isDir()); // left as it was
    }

    // The week's missing days on the strip once the start-up phase is over; "File scritti": the
    // days marked, missing ones handed back to the date fields.
    void missingDaysShownAndPrepared()
    {
        Hotel hotel;
        hotel.settings();
        writeClosed(hotel, u"01/02/2024"_qs, u"26/02/2024"_qs);
        QCOMPARE(control<QLabel>(openWindow(hotel).get(), u"Label1_4"_qs)->text(), QString());
        hotel.endStartUp();
        createClosedFile(openWindow(hotel).get()); // yesterday's, through the window
        const RegisterEntry last = movement::WrittenFiles(QDir(hotel.dir.path())).read().entries.value(1);
        QCOMPARE(last.source, RegisterEntry::Source::Window);
        QCOMPARE(std::pair(last.figures.first, last.figures.last), std::pair(kYesterdayDate, kYesterdayDate));
        QCOMPARE(last.size, QFileInfo(hotel.path(u"DuzizUzazi2024-02-29.xml"_qs)).size());
        auto window = openWindow(hotel);
        QCOMPARE(control<QLabel>(window.get(), u"Label1_4"_qs)->text(), u"Mancano i file di martedì 27 e mercoledì 28 febbraio"_qs);
        QCOMPARE(field(window.get(), 0)->text(), kYesterday); // the date fields as always
        bool seen = false;
        QTimer::singleShot(0, [&] {
            app::WrittenFilesWindow *shown = nullptr;
            if (!QTest::qWaitFor([&] { return shown = qobject_cast<app::WrittenFilesWindow *>(QApplication::activeModalWidget()); }))
                return;
            seen = true;
            const auto closed = qScopeGuard([&] { if (shown->isVisible()) shown->reject(); }); // whatever fails
            QCOMPARE(shown->findChild<QTableView *>(u"register"_qs)->model()->index(0, 3).data().toString(),
                     u"29/02/2024"_qs); // newest first
            auto *days = shown->findChild<QListWidget *>(u"days"_qs);
            QCOMPARE(days->count(), app::WrittenFilesWindow::kDaysShown);
            QCOMPARE(days->item(days->count() - 4)->text(), u"26/02\nChiuso"_qs);
            QCOMPARE(days->item(days->count() - 3)->text(), u"27/02\nMancante"_qs);
            QCOMPARE(days->item(days->count() - 3)->toolTip(), u"martedì 27 febbraio: mancante"_qs);
            auto *prepare = shown->findChild<QPushButton *>(u"prepara"_qs);
            days->item(days->count() - 1)->setSelected(true); // a day written: nothing to prepare
            QVERIFY(!prepare->isEnabled());
            days->clearSelection();
            days->item(days->count() - 3)->setSelected(true);
            days->item(days->count() - 2)->setSelected(true);
            QVERIFY(prepare->isEnabled());
            QTest::mouseClick(prepare, Qt::LeftButton);
        });
        window->menuBar()->findChild<QAction *>(u"menuFileScritti"_qs)->trigger();
        QVERIFY(seen);
        QCOMPARE(field(window.get(), 0)->text(), u"27/02/2024"_qs);
        QCOMPARE(field(window.get(), 1)->text(), u"28/02/2024"_qs);
        QVERIFY(window->isVisible());
        QCOMPARE(hotel.browser.opened.size(), 1); // by the first window, which wrote the file
    }

    void missingDaysOnTheCommandLine()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        hotel.write(u"NaxRegistro.csv"_qs, "riga guasta\r\n");
        writeClosed(hotel, u"26/02/2024"_qs, u"29/02/2024"_qs);
        Output missing = runIn(hotel, {u"--mancanti"_qs, u"--giorni"_qs, u"6"_qs});
        QCOMPARE(missing.status, app::kExitMissing);
        QCOMPARE(missing.out, QByteArray("24/02/2024\n25/02/2024\n"));
        QVERIFY2(missing.err.contains("la riga 1 non si legge"), missing.err.constData());
        missing = runIn(hotel, {u"--mancanti"_qs, u"--giorni=4"_qs});
        QCOMPARE(missing.status, app::kExitDone);
        QCOMPARE(missing.out, QByteArray());
    }
};

QTEST_MAIN(TestWrittenFiles)
#include "tst_writtenfiles.moc"
