#include "naxwindow.h"
#include "outputfile.h"
#include "platformdefaults.h"
#include "settings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMenuBar>
#include <QToolButton>

using namespace app;
using namespace naxwindow;

namespace {

QByteArray closedDay(const char *key)
{
    return QByteArray("   <movimento>\r\n"
                      "      <data>") + key + "</data>\r\n"
           "      <struttura>\r\n"
           "         <apertura>NO</apertura>\r\n"
           "         <camereoccupate>0</camereoccupate>\r\n"
           "         <cameredisponibili>0</cameredisponibili>\r\n"
           "         <lettidisponibili>0</lettidisponibili>\r\n"
           "      </struttura>\r\n"
           "      <arrivi></arrivi>\r\n"
           "      <partenze></partenze>\r\n"
           "      <prenotazioni></prenotazioni>\r\n"
           "      <rettifiche></rettifiche>\r\n"
           "   </movimento>\r\n";
}

} // namespace

class TestNaxDesktop : public QObject
{
    Q_OBJECT

private slots:
    void activationFillsTheWindow()
    {
        Hotel hotel;
        auto window = openWindow(hotel);
        QCOMPARE(window->windowTitle(), u"Preparazione file per Istat (Velunor)"_qs);
        QCOMPARE(field(window.get(), 0)->text(), kYesterday);
        QCOMPARE(field(window.get(), 1)->text(), kYesterday);
        QCOMPARE(field(window.get(), 2)->text(), QString());
        QCOMPARE(field(window.get(), 3)->text(), u"ZZZZZZ"_qs);
        QCOMPARE(comboItems(window.get()), QStringList{u"-"_qs});
        QCOMPARE(control<QComboBox>(window.get(), u"Combo1"_qs)->currentText(), u"-"_qs);
        QVERIFY(control<QCheckBox>(window.get(), u"Chk"_qs)->isChecked());
        QVERIFY(control<QCheckBox>(window.get(), u"Chk"_qs)->isEnabled());
        QVERIFY(!control<QCheckBox>(window.get(), u"Chk2"_qs)->isChecked());

        QMenu *menu = window->menuBar()->findChild<QMenu *>(u"menu1"_qs);
        QCOMPARE(menu->title(), u"Impostazioni"_qs);
        QStringList items;
        for (const QAction *action : menu->actions())
            items << action->text();
        QCOMPARE(items, (QStringList{u"Percorso creazione file"_qs, u"Indirizzo web per invio file"_qs,
                                     u"Codice struttura"_qs}));

        // The year's end is crossed backwards.
        auto newYear = openWindow(hotel, QDate(2027, 1, 1));
        QCOMPARE(field(newYear.get(), 0)->text(), u"31/12/2026"_qs);
    }

    // "ZZZZZZ" shows whole in its narrow field: moving the cursor to its end does not scroll it.
    void roomFieldsShowSixCharacters()
    {
        Hotel hotel;
        auto window = openWindow(hotel);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (int i : {2, 3}) {
            QLineEdit *room = field(window.get(), i);
            room->setText(u"ZZZZZZ"_qs);
            // The field scrolls its text when it paints.
            const auto cursorAt = [room](int position) {
                room->setCursorPosition(position);
                room->repaint();
                return room->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
            };
            const int start = cursorAt(0);
            const int end = cursorAt(6);
            QCOMPARE(end - start, room->fontMetrics().horizontalAdvance(u"ZZZZZZ"_qs));
        }
    }

    void startUpMarkClearsAndDisablesTheBox()
    {
        Hotel hotel;
        hotel.endStartUp();
        auto window = openWindow(hotel);
        QVERIFY(!control<QCheckBox>(window.get(), u"Chk"_qs)->isChecked());
        QVERIFY(!control<QCheckBox>(window.get(), u"Chk"_qs)->isEnabled());
    }

    void tabOrder()
    {
        Hotel hotel;
        auto window = openWindow(hotel);
        QVERIFY(makeActive(window.get()));
        field(window.get(), 0)->setFocus();
        QStringList order{focused()};
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << focused();
        }
        QCOMPARE(order, (QStringList{u"Text1_0"_qs, u"Text1_1"_qs, u"Text1_2"_qs, u"Text1_3"_qs, u"T0"_qs,
                                     u"T1"_qs, u"Chk"_qs, u"Chk2"_qs, u"Combo1"_qs}));
    }

    void enterThroughTheFields()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        auto window = openWindow(hotel);
        QVERIFY(makeActive(window.get()));
        QLineEdit *from = field(window.get(), 0);
        QLineEdit *to = field(window.get(), 1);
        from->setFocus();

        typeAndEnter(window.get(), 0, u"0101202"_qs);
        QCOMPARE(from->text(), QString());
        QCOMPARE(focused(), u"Text1_0"_qs);
        typeAndEnter(window.get(), 0, QString());
        QCOMPARE(from->text(), QString());
        typeAndEnter(window.get(), 0, u"29/02/2023"_qs);
        QCOMPARE(from->text(), QString());
        // As "Crea File" would refuse it: no separators but "/", "-" and ".".
        typeAndEnter(window.get(), 0, u"01 02 2024"_qs);
        QCOMPARE(from->text(), QString());

        typeAndEnter(window.get(), 0, u"100524"_qs);
        QCOMPARE(from->text(), u"10/05/2024"_qs);
        QCOMPARE(focused(), u"Text1_1"_qs);
        QCOMPARE(to->selectedText(), kYesterday);

        // A last day before the first becomes the first, and the focus stays.
        typeAndEnter(window.get(), 1, u"09052024"_qs);
        QCOMPARE(to->text(), u"10/05/2024"_qs);
        QCOMPARE(focused(), u"Text1_1"_qs);
        QTest::keyClick(to, Qt::Key_Enter);
        QCOMPARE(focused(), u"Text1_2"_qs);

        typeAndEnter(window.get(), 2, u"  l'a12 "_qs);
        QCOMPARE(field(window.get(), 2)->text(), u"L´A12"_qs);
        QCOMPARE(focused(), u"Text1_3"_qs);
        QCOMPARE(field(window.get(), 3)->selectedText(), u"ZZZZZZ"_qs);

        // Enter in the last field reaches "Crea File" without pressing it.
        typeAndEnter(window.get(), 3, QString());
        QCOMPARE(field(window.get(), 3)->text(), u" "_qs);
        QCOMPARE(focused(), u"T0"_qs);
        QVERIFY(window->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(hotel.xmlFiles(), QStringList());

        typeAndEnter(window.get(), 0, u"01-02-2024"_qs);
        QCOMPARE(from->text(), u"01-02-2024"_qs);
        QCOMPARE(focused(), u"Text1_1"_qs);
    }

    void settingsMenuRewritesTheSettingsFile()
    {
        Hotel hotel;
        auto window = openWindow(hotel);
        const Settings defaults = defaultSettings();
        const QByteArray defaultLines = defaults.PercorsoFile.toUtf8() + "\r\n" + defaults.ComandoWeb.toUtf8() + "\r\n";
        field(window.get(), 0)->setText(u"01/01/2020"_qs);

        // Typed through the keyboard: the text replaces the selected default, Enter moves to "Ok"
        // and Enter there presses it.
        Box box;
        answerNextBox(box, [](QDialog *b) {
            QLineEdit *input = b->findChild<QLineEdit *>(u"Text2"_qs);
            QTest::keyClicks(input, u"XYZ9"_qs);
            QTest::keyClick(input, Qt::Key_Return);
            pressKey(b, Qt::Key_Return);
        });
        window->findChild<QAction *>(u"menu2_3"_qs)->trigger();
        QVERIFY(box.shown);
        QCOMPARE(box.title, u"Codice Struttura"_qs);
        QCOMPARE(box.text, u"Inserire il codice della struttura\ncome indicato\n\nes. A123456"_qs);
        QCOMPARE(box.selected, u"ABC123"_qs);
        QCOMPARE(hotel.read(u"NaxSetup.txt"_qs), defaultLines + "XYZ9\r\n");
        QCOMPARE(field(window.get(), 0)->text(), kYesterday);

        // "Annulla" and Escape keep the setting; the file is written all the same.
        hotel.write(u"NaxSetup.txt"_qs, "a.xml\r\ncmd\r\nCODE\r\n");
        answerNextBox(box = {}, [](QDialog *b) { pressButton(b, 1); });
        window->findChild<QAction *>(u"menu2_1"_qs)->trigger();
        QCOMPARE(box.title, u"Percorso creazione file Istat"_qs);
        QCOMPARE(box.text, u"Inserire il percorso completo del\nnome del file da generare\n\nes. "_qs
                               + defaults.PercorsoFile);
        QCOMPARE(box.input, u"a.xml"_qs);
        QCOMPARE(hotel.read(u"NaxSetup.txt"_qs), QByteArray("a.xml\r\ncmd\r\nCODE\r\n"));

        answerNextBox(box = {}, [](QDialog *b) { pressKey(b, Qt::Key_Escape); });
        window->findChild<QAction *>(u"menu2_2"_qs)->trigger();
        QCOMPARE(box.title, u"Percorso apertura pagina web"_qs);
        // The example is the portal's address alone.
        QCOMPARE(box.text, u"Inserire il comando completo per\nl'apertura della pagina web di Velunor\n\nes. "
                           "https://velunor.regione.example/Velunor/app/"_qs);
        QCOMPARE(box.input, u"cmd"_qs);
        QCOMPARE(hotel.read(u"NaxSetup.txt"_qs), QByteArray("a.xml\r\ncmd\r\nCODE\r\n"));

        // "Ok" on an emptied field stores the empty text.
        answerNextBox(box = {}, [](QDialog *b) {
            b->findChild<QLineEdit *>(u"Text2"_qs)->clear();
            pressOk(b);
        });
        window->findChild<QAction *>(u"menu2_2"_qs)->trigger();
        QCOMPARE(hotel.read(u"NaxSetup.txt"_qs), QByteArray("a.xml\r\n\r\nCODE\r\n"));
    }

    void closedStructureFile()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        auto window = openWindow(hotel);
        QVERIFY(makeActive(window.get()));
        QTest::mouseClick(control<QCheckBox>(window.get(), u"Chk2"_qs), Qt::LeftButton);
        field(window.get(), 0)->setFocus();
        typeAndEnter(window.get(), 0, u"301226"_qs);
        typeAndEnter(window.get(), 1, u"02012027"_qs);
        QCOMPARE(focused(), u"Text1_2"_qs);

        QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return !window->isVisible(); }));

        QCOMPARE(hotel.xmlFiles(), QStringList{u"DuzizUzazi2026-12-30.xml"_qs});
        const QByteArray expected = QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                               "<movimenti>\r\n"
                                               "  <codice>ABC123</codice>\r\n"
                                               "  <prodotto>QUORVANE</prodotto>\r\n")
            + closedDay("20261230") + closedDay("20261231") + closedDay("20270101") + closedDay("20270102")
            + "</movimenti>\r\n";
        QCOMPARE(hotel.read(u"DuzizUzazi2026-12-30.xml"_qs), expected);
        QCOMPARE(hotel.browser.opened, QStringList{Hotel::browserCommand()});
        QCOMPARE(hotel.browser.folder, hotel.dir.path());
        // The file's whole path waits on the clipboard for the portal's upload dialog.
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QDir::toNativeSeparators(hotel.path(u"DuzizUzazi2026-12-30.xml"_qs)));
        QCOMPARE(hotel.read(u"IPUSU.txt"_qs), QByteArray("Ok\r\n"));
    }

    void selectedStructureAndEncoding()
    {
        Hotel hotel;
        hotel.settings("DuzizUzazi.xml", "Caff\xE8");
        hotel.endStartUp();
        hotel.write(u"VeluSetup.txt"_qs, "2\r\nCODE1\r\n,1,2,3,\r\nCaff\xE8 & <2>\r\n,4,5,\r\n");
        auto window = openWindow(hotel);
        QCOMPARE(comboItems(window.get()), (QStringList{u"1"_qs, u"2"_qs}));
        QCOMPARE(control<QComboBox>(window.get(), u"Combo1"_qs)->currentText(), u"1"_qs);
        control<QComboBox>(window.get(), u"Combo1"_qs)->setCurrentIndex(1);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        const QByteArray file = hotel.read(u"DuzizUzazi2024-02-29.xml"_qs);
        QVERIFY2(file.contains("\r\n  <codice>Caff\xC3\xA8 &amp; &lt;2&gt;</codice>\r\n"), file.constData());
        QCOMPARE(file.count("<movimento>"), 1);
        QCOMPARE(hotel.browser.opened, QStringList{Hotel::browserCommand()});
    }

    void startUpFileNeedsTheHotelDatabases()
    {
        Hotel hotel;
        hotel.settings();
        auto window = openWindow(hotel);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        Box box;
        answerNextBox(box, [](QDialog *b) { pressKey(b, Qt::Key_Escape); });
        QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);
        expectRefused(hotel, window.get(), box, u"Scheda_Cliente.mdb"_qs);
        QVERIFY(!QFile::exists(hotel.path(u"IPUSU.txt"_qs)));
    }

    void failuresAreReportedAndNothingIsWritten_data()
    {
        QTest::addColumn<QByteArray>("naxSetup");
        QTest::addColumn<QByteArray>("veluSetup");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("atStart");
        QTest::addColumn<QString>("atCreate");
        const QByteArray ok = "DuzizUzazi.xml";
        const QString day = u"07/12/2026"_qs;
        QTest::newRow("first date left without Enter") << ok << QByteArray() << u"7/12/2026"_qs << day << QString() << u"«Dalla data»"_qs;
        QTest::newRow("empty last date") << ok << QByteArray() << day << QString() << QString() << u"«Alla data»"_qs;
        QTest::newRow("path too short") << QByteArray("a.x") << QByteArray() << day << day << QString() << u"«a.x»"_qs;
        QTest::newRow("folder missing") << QByteArray("manca/D.xml") << QByteArray() << day << day << QString() << u"manca"_qs;
        QTest::newRow("settings file too short") << QByteArray("-") << QByteArray() << day << day << u"NaxSetup.txt"_qs << u"NaxSetup.txt"_qs;
        QTest::newRow("eleven structures") << ok << QByteArray("11\r\n") + QByteArray("C\r\n,1,\r\n").repeated(11) << day << day << u"11 strutture"_qs << u"11 strutture"_qs;
        QTest::newRow("room list missing") << ok << QByteArray("2\r\nA\r\n,1,\r\nB\r\n") << day << day << u"VeluSetup.txt"_qs << u"VeluSetup.txt"_qs;
        QTest::newRow("no structure") << ok << QByteArray("0\r\n") << day << day << QString() << u"Nessuna struttura"_qs;
    }
    void failuresAreReportedAndNothingIsWritten()
    {
        QFETCH(QByteArray, naxSetup);
        QFETCH(QByteArray, veluSetup);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, atStart);
        QFETCH(QString, atCreate);
        Hotel hotel;
        if (naxSetup == "-")
            hotel.write(u"NaxSetup.txt"_qs, "DuzizUzazi.xml\r\n" + hotel.browserCommand().toUtf8() + "\r\n");
        else
            hotel.settings(naxSetup);
        if (!veluSetup.isEmpty())
            hotel.write(u"VeluSetup.txt"_qs, veluSetup);
        hotel.endStartUp();

        Box box;
        if (!atStart.isEmpty())
            answerNextBox(box, pressOk);
        auto window = openWindow(hotel);
        QCOMPARE(box.shown, !atStart.isEmpty());
        QVERIFY2(box.text.contains(atStart), qPrintable(box.text));
        if (!veluSetup.isEmpty())
            QCOMPARE(comboItems(window.get()), QStringList());

        field(window.get(), 0)->setText(from);
        field(window.get(), 1)->setText(to);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        pressCreaFile(window.get(), box = {});
        QVERIFY(box.shown);
        QVERIFY(!QApplication::activeModalWidget());
        expectRefused(hotel, window.get(), box, atCreate);
        // What the operator typed stays, to be corrected where the message says.
        QCOMPARE(field(window.get(), 0)->text(), from);
        QCOMPARE(field(window.get(), 1)->text(), to);
        QVERIFY(control<QCheckBox>(window.get(), u"Chk2"_qs)->isChecked());
    }

    void failureKeepsEveryChoice()
    {
        Hotel hotel;
        hotel.settings("a.x"); // too short to name a file
        hotel.write(u"VeluSetup.txt"_qs, "2\r\nCODE1\r\n,1,\r\nCODE2\r\n,2,\r\n");
        auto window = openWindow(hotel);
        QVERIFY(makeActive(window.get()));
        control<QCheckBox>(window.get(), u"Chk"_qs)->setChecked(false);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        control<QComboBox>(window.get(), u"Combo1"_qs)->setCurrentIndex(1);
        const QStringList typed{u"01/12/2026"_qs, u"05/12/2026"_qs, u"101"_qs, u"199"_qs};
        for (int i = 0; i < 4; ++i)
            field(window.get(), i)->setText(typed[i]);

        Box box;
        pressCreaFile(window.get(), box);
        expectRefused(hotel, window.get(), box, u"«a.x»"_qs);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(field(window.get(), i)->text(), typed[i]);
        QCOMPARE(control<QComboBox>(window.get(), u"Combo1"_qs)->currentText(), u"2"_qs);
        QVERIFY(!control<QCheckBox>(window.get(), u"Chk"_qs)->isChecked());
        QVERIFY(control<QCheckBox>(window.get(), u"Chk2"_qs)->isChecked());
    }

    void settingsErrorClearsOnceTheFileIsRewritten()
    {
        Hotel hotel;
        hotel.write(u"NaxSetup.txt"_qs, "-\r\n");
        hotel.endStartUp();
        // The default output folder, where it is the home folder, is then the hotel's.
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(hotel.dir.path()));
        Box box;
        answerNextBox(box, pressOk);
        auto window = openWindow(hotel);
        const QString percorsoFile = defaultPercorsoFile();
        qputenv("HOME", home);
        QVERIFY2(box.text.contains(u"NaxSetup.txt"_qs), qPrintable(box.text));

        // As the message advises: the file removed, then a setting given through the menu.
        QVERIFY(QFile::remove(hotel.path(u"NaxSetup.txt"_qs)));
        answerNextBox(box = {}, [&hotel](QDialog *b) {
            b->findChild<QLineEdit *>(u"Text2"_qs)->setText(hotel.browserCommand());
            pressOk(b);
        });
        window->findChild<QAction *>(u"menu2_2"_qs)->trigger();
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        pressCreaFile(window.get(), box = {});
        QVERIFY2(!box.shown, qPrintable(box.text));
        const QString written = movement::outputFilePath(QDir(hotel.dir.path()), percorsoFile, QDate(2024, 2, 29));
        QVERIFY(QFile::exists(written));
        QFile::remove(written);
    }

    void structureListMendedWhileItsErrorShowsCounts()
    {
        Hotel hotel;
        hotel.write(u"VeluSetup.txt"_qs, "2\r\nA\r\n,1,\r\nB\r\n");
        hotel.endStartUp();
        Box box;
        answerNextBox(box, [&hotel](QDialog *b) {
            hotel.write(u"VeluSetup.txt"_qs, "2\r\nA\r\n,1,\r\nB\r\n,2,\r\n");
            pressOk(b);
        });
        auto window = openWindow(hotel);
        QVERIFY2(box.text.contains(u"VeluSetup.txt"_qs), qPrintable(box.text));
        QCOMPARE(comboItems(window.get()), (QStringList{u"1"_qs, u"2"_qs}));
    }

    void clickIntoADateFieldSelectsItsText()
    {
        Hotel hotel;
        auto window = openWindow(hotel);
        QVERIFY(makeActive(window.get()));
        field(window.get(), 3)->setFocus();
        QLineEdit *from = field(window.get(), 0);
        QTest::mouseClick(from, Qt::LeftButton, {}, from->rect().center());
        QCOMPARE(focused(), u"Text1_0"_qs);
        QTest::keyClicks(from, u"010125"_qs);
        QCOMPARE(from->text(), u"010125"_qs);
        // Only the click that brings the focus: the next one puts the cursor where it falls.
        QTest::mouseClick(from, Qt::LeftButton, {}, from->rect().center());
        QVERIFY(!from->hasSelectedText());
    }

    void browserThatCannotStart()
    {
        Hotel hotel;
        hotel.write(u"NaxSetup.txt"_qs, "DuzizUzazi.xml\r\n/nessun/browser https://x.example/\r\nABC123\r\n");
        hotel.endStartUp();
        SystemBrowserLauncher system;
        auto window = openWindow(hotel, kToday, &system);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        Box box;
        pressCreaFile(window.get(), box);
        // The operator learns that the file is there, and where, to upload it by hand.
        // It names the program and suggests the command's own address alone.
        QVERIFY2(box.text.contains(u"«/nessun/browser»") && box.text.contains(u"solo l'indirizzo del portale, per esempio "
                                                                              u"«https://x.example/»"),
                 qPrintable(box.text));
        QVERIFY2(box.text.startsWith(u"Il file «%1» è stato scritto"_qs
                                         .arg(QDir::toNativeSeparators(hotel.path(u"DuzizUzazi2024-02-29.xml"_qs)))),
                 qPrintable(box.text));
        QVERIFY(window->isVisible());
        // The file was complete before the browser was started.
        QVERIFY(hotel.read(u"DuzizUzazi2024-02-29.xml"_qs).endsWith("</movimenti>\r\n"));
    }

    void exitWritesNothing_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Alt+E") << false;
        QTest::newRow("Invio su Esci") << true;
    }

    // "Esci", by its key or by Enter once it has the focus, as the operator's keyboard reaches it.
    void exitWritesNothing()
    {
        QFETCH(bool, byEnter);
        Hotel hotel;
        hotel.settings();
        auto window = openWindow(hotel);
        QVERIFY(makeActive(window.get()));
        auto *esci = control<QToolButton>(window.get(), u"T1"_qs);
        QCOMPARE(esci->text(), u"&Esci"_qs);
        if (byEnter) {
            esci->setFocus();
            QTest::keyClick(esci, Qt::Key_Return);
        } else {
            QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
        }
        QVERIFY(QTest::qWaitFor([&] { return !window->isVisible(); }));
        QCOMPARE(hotel.xmlFiles(), QStringList());
        QCOMPARE(hotel.browser.opened, QStringList());
        QVERIFY(!QFile::exists(hotel.path(u"IPUSU.txt"_qs)));
    }
};

QTEST_MAIN(TestNaxDesktop)
#include "tst_naxdesktop.moc"
