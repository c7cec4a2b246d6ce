// The register of written files through the real window and the command line, headless: the
// window's line, a register that cannot be written, the missing days along a hotel's first weeks
// as the yellow strip and --mancanti both tell them, with two structures, and "Controllo" ›
// "File scritti" handing missing days back.

#include "commandlinefixture.h"
#include "hotelfixture.h"
#include "writtenfiles.h"
#include "writtenfileswindow.h"

#include <QCheckBox>
#include <QListWidget>
#include <QComboBox>
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

// The strip's sentence, whole: the strip shows as much of it as fits with the fonts at hand,
// and the rest in its tooltip.
QString strip(const QWidget *window)
{
    const QLabel *label = control<QLabel>(window, u"Label1_4"_qs);
    const QString shown = label->text();
    return shown == label->toolTip() || (shown.endsWith(u'…') && label->toolTip().startsWith(shown.chopped(1)))
               ? label->toolTip()
               : u"strip «"_qs + shown + u"», tooltip «"_qs + label->toolTip() + u'»';
}

// The hotel program's databases, with nobody lodged, so that every kind of file can be written.
void writeDatabases(const Hotel &hotel)
{
    hotelfixture::Hotel().writeInto(QDir(hotel.dir.path()));
}

// Runs `work` while "File scritti" is open, then closes it.
void inWrittenFiles(NaxDesktop *window, const std::function<void(app::WrittenFilesWindow *)> &work)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        app::WrittenFilesWindow *shown = nullptr;
        if (!QTest::qWaitFor([&] { return shown = qobject_cast<app::WrittenFilesWindow *>(QApplication::activeModalWidget()); }))
            return;
        seen = true;
        const auto closed = qScopeGuard([&] { if (shown->isVisible()) shown->reject(); }); // whatever fails
        work(shown);
    });
    window->menuBar()->findChild<QAction *>(u"menuFileScritti"_qs)->trigger();
    QVERIFY(seen);
}

// The day's item in "File scritti"'s row, counted back from the last one shown.
QListWidgetItem *dayItem(app::WrittenFilesWindow *shown, int fromTheEnd)
{
    auto *days = shown->findChild<QListWidget *>(u"days"_qs);
    return days->item(days->count() - 1 - fromTheEnd);
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

    // A new hotel's mornings: start-up files, one missed, the switch to daily files. Every
    // morning the strip and --mancanti name the same days; the days before the first file are
    // nobody's business; a start-up file covers the day it reports.
    void aHotelsFirstWeeks()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        struct Morning
        {
            QDate today;
            QByteArray missing; // what --mancanti prints before the morning's file
            QString strip;
            bool writes;        // whether the morning's file is written
        };
        const QList<Morning> mornings{
            {QDate(2026, 12, 2), "", u""_qs, true}, // the start-up file of the 30th of November begins the register
            {QDate(2026, 12, 3), "01/12/2026\n", u"Manca il file di martedì 1 dicembre"_qs, true},
            {QDate(2026, 12, 4), "02/12/2026\n", u"Manca il file di mercoledì 2 dicembre"_qs, false},
            {QDate(2026, 12, 5), "02/12/2026\n03/12/2026\n", u"Mancano i file di mercoledì 2 e giovedì 3 dicembre"_qs, true},
        };
        for (const Morning &morning : mornings) {
            const Output missing = naxwindow::runIn(hotel, {u"--mancanti"_qs}, morning.today);
            QCOMPARE(missing.out, morning.missing);
            QCOMPARE(missing.status, morning.missing.isEmpty() ? app::kExitDone : app::kExitMissing);
            QCOMPARE(strip(openWindow(hotel, morning.today).get()), morning.strip);
            if (morning.writes)
                QCOMPARE(naxwindow::runIn(hotel, {u"--file"_qs, u"proposto"_qs, u"--dalla"_qs, u"ieri"_qs}, morning.today).status,
                         app::kExitDone);
        }
        QCOMPARE(hotel.xmlFiles(), (QStringList{u"DuzizUzazi2026-11-30.xml"_qs, u"DuzizUzazi2026-12-01.xml"_qs,
                                                u"DuzizUzazi2026-12-03.xml"_qs}));
        // The start-up phase ends; the first daily file is the next morning's.
        hotel.endStartUp();
        const QDate monday(2026, 12, 7);
        const Output missing = naxwindow::runIn(hotel, {u"--mancanti"_qs}, monday);
        QCOMPARE(missing.out, QByteArray("02/12/2026\n04/12/2026\n05/12/2026\n06/12/2026\n"));
        auto window = openWindow(hotel, monday);
        QCOMPARE(strip(window.get()), u"Mancano 4 file: 2, 4, 5 e 6 dicembre"_qs);
        inWrittenFiles(window.get(), [](app::WrittenFilesWindow *shown) {
            QCOMPARE(dayItem(shown, 0)->text(), u"06/12\nMancante"_qs);
            QCOMPARE(dayItem(shown, 3)->text(), u"03/12\nScritto"_qs);
            QCOMPARE(dayItem(shown, 7)->text(), u"29/11\nSconosciuto"_qs);
            QCOMPARE(dayItem(shown, 7)->toolTip(), u"domenica 29 novembre: sconosciuto (prima del primo file del registro)"_qs);
        });
    }

    // "File scritti" hands a run of missing days back to the date fields; the strip tells the
    // missing days again once a card check or a refused file has used it.
    void missingDaysPreparedAndShownAgain()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        writeClosed(hotel, u"01/02/2024"_qs, u"26/02/2024"_qs);
        createClosedFile(openWindow(hotel).get()); // yesterday's, through the window
        const RegisterEntry last = movement::WrittenFiles(QDir(hotel.dir.path())).read().entries.value(1);
        QCOMPARE(last.source, RegisterEntry::Source::Window);
        QCOMPARE(std::pair(last.figures.first, last.figures.last), std::pair(kYesterdayDate, kYesterdayDate));
        QCOMPARE(last.size, QFileInfo(hotel.path(u"DuzizUzazi2024-02-29.xml"_qs)).size());
        auto window = openWindow(hotel);
        const QString missing = u"Mancano i file di martedì 27 e mercoledì 28 febbraio"_qs;
        QCOMPARE(strip(window.get()), missing);
        QCOMPARE(field(window.get(), 0)->text(), kYesterday); // the date fields as always
        inWrittenFiles(window.get(), [](app::WrittenFilesWindow *shown) {
            QCOMPARE(shown->findChild<QTableView *>(u"register"_qs)->model()->index(0, 3).data().toString(),
                     u"29/02/2024"_qs); // newest first
            QCOMPARE(shown->findChild<QListWidget *>(u"days"_qs)->count(), app::WrittenFilesWindow::kDaysShown);
            QCOMPARE(dayItem(shown, 3)->text(), u"26/02\nChiuso"_qs);
            QCOMPARE(dayItem(shown, 2)->text(), u"27/02\nMancante"_qs);
            QCOMPARE(dayItem(shown, 2)->toolTip(), u"martedì 27 febbraio: mancante"_qs);
            auto *prepare = shown->findChild<QPushButton *>(u"prepara"_qs);
            QVERIFY(!prepare->isEnabled()); // no day selected yet
            dayItem(shown, 0)->setSelected(true); // a day written: nothing to prepare
            QVERIFY(!prepare->isEnabled());
            dayItem(shown, 0)->setSelected(false);
            dayItem(shown, 2)->setSelected(true);
            dayItem(shown, 1)->setSelected(true);
            QVERIFY(prepare->isEnabled());
            QTest::mouseClick(prepare, Qt::LeftButton);
        });
        QCOMPARE(field(window.get(), 0)->text(), u"27/02/2024"_qs);
        QCOMPARE(field(window.get(), 1)->text(), u"28/02/2024"_qs);
        QVERIFY(window->isVisible());

        // The daily file needs the hotel program's databases, which this folder lacks.
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(false);
        Box box;
        pressCreaFile(window.get(), box);
        QVERIFY(QTest::qWaitFor([&] { return box.shown; }));
        QVERIFY(window->isVisible());
        QCOMPARE(strip(window.get()), missing);
        QCOMPARE(hotel.browser.opened.size(), 1); // by the first window, which wrote the file
    }

    // With two structures each reports its own days: the day lacking one structure's file names
    // it, and "Prepara questi giorni" picks that structure.
    void structuresNamed()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        writeDatabases(hotel);
        hotel.write(u"VeluSetup.txt"_qs, "2\r\nCODE1\r\n,1,2,\r\nCODE2\r\n,3,\r\n");
        for (const QString &structure : {u"1"_qs, u"2"_qs})
            QCOMPARE(runIn(hotel, {u"--file=classico"_qs, u"--dalla=23/02/2024"_qs, u"--alla=27/02/2024"_qs,
                                   u"--struttura"_qs, structure}).status,
                     app::kExitDone);
        QCOMPARE(runIn(hotel, {u"--file=classico"_qs, u"--dalla=28/02/2024"_qs, u"--alla=29/02/2024"_qs, u"--struttura=1"_qs}).status,
                 app::kExitDone);
        const Output missing = runIn(hotel, {u"--mancanti"_qs});
        QCOMPARE(missing.out, QByteArray("28/02/2024 (struttura 2)\n29/02/2024 (struttura 2)\n"));
        auto window = openWindow(hotel);
        QCOMPARE(strip(window.get()), u"Mancano i file di mercoledì 28 (struttura 2) e giovedì 29 febbraio (struttura 2)"_qs);
        inWrittenFiles(window.get(), [](app::WrittenFilesWindow *shown) {
            QCOMPARE(dayItem(shown, 0)->toolTip(), u"giovedì 29 febbraio: mancante (struttura 2)"_qs);
            dayItem(shown, 0)->setSelected(true);
            dayItem(shown, 1)->setSelected(true);
            QTest::mouseClick(shown->findChild<QPushButton *>(u"prepara"_qs), Qt::LeftButton);
        });
        QCOMPARE(control<QComboBox>(window.get(), u"Combo1"_qs)->currentText(), u"2"_qs);
        QCOMPARE(field(window.get(), 0)->text(), u"28/02/2024"_qs);
    }

    // A guest who arrived late in the evening is entered the next morning, after the file of his
    // day was written: the strip, "File scritti" and --mancanti name the file to write again.
    // Archiving a card changes nothing the file reports, and names nothing.
    void fileWrittenBeforeItsCards()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        hotelfixture::Hotel cards;
        cards.rooms = {{1, "101", "DOP", 2}, {1, "102", "DOP", 2}};
        cards.current << hotelfixture::departed("101", 15, "20261205", "20261207");
        cards.writeInto(QDir(hotel.dir.path()));
        const QDate tuesday(2026, 12, 8);
        QCOMPARE(naxwindow::runIn(hotel, {u"--file=classico"_qs, u"--dalla=07/12/2026"_qs}, tuesday).status, app::kExitDone);
        cards.archived << hotelfixture::departed("101", 26000015, "20261205", "20261207");
        cards.current = {hotelfixture::present("102", 16, "20261207", "20261209")}; // entered the next morning
        cards.writeInto(QDir(hotel.dir.path()));

        const Output missing = naxwindow::runIn(hotel, {u"--mancanti"_qs}, tuesday);
        QCOMPARE(missing.out, "07/12/2026 da riscrivere: 1 arrivo in più, 1 ospite presente in più, 1 camera occupata in più\n");
        QCOMPARE(missing.status, app::kExitMissing);
        auto window = openWindow(hotel, tuesday);
        const QString sentence = u"Il file di lunedì 7 dicembre non corrisponde più alle schede: 1 arrivo in più, 1 ospite "
                                 "presente in più, 1 camera occupata in più"_qs;
        QVERIFY(QTest::qWaitFor([&] { return strip(window.get()) == sentence; }));
        inWrittenFiles(window.get(), [](app::WrittenFilesWindow *shown) {
            QCOMPARE(dayItem(shown, 0)->text(), u"07/12\nDa riscrivere"_qs);
            dayItem(shown, 0)->setSelected(true);
            QTest::mouseClick(shown->findChild<QPushButton *>(u"prepara"_qs), Qt::LeftButton);
        });
        QCOMPARE(field(window.get(), 0)->text(), u"07/12/2026"_qs);

        // Written again, the file agrees with the cards.
        QCOMPARE(naxwindow::runIn(hotel, {u"--file=classico"_qs, u"--dalla=07/12/2026"_qs}, tuesday).status, app::kExitDone);
        QCOMPARE(naxwindow::runIn(hotel, {u"--mancanti"_qs}, tuesday).status, app::kExitDone);

        // A room-mate who arrived the day before, entered late: one figure alone changes.
        cards.current << hotelfixture::present("102", 17, "20261206", "20261209");
        cards.writeInto(QDir(hotel.dir.path()));
        QCOMPARE(naxwindow::runIn(hotel, {u"--mancanti"_qs}, tuesday).out,
                 "07/12/2026 da riscrivere: 1 ospite presente in più\n");
    }

    void missingDaysOnTheCommandLine()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        hotel.write(u"NaxRegistro.csv"_qs, "riga guasta\r\n");
        writeClosed(hotel, u"20/02/2024"_qs, u"23/02/2024"_qs);
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
