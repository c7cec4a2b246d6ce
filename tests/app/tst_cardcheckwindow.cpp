// The menu "Controllo", "Schede del periodo", through the real window, headless: the findings
// in a sortable table, copied, saved as CSV, or the one line that says nothing is doubtful.

#include "hotelfixture.h"
#include "cardcheckwindow.h"
#include "naxwindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableView>

using namespace naxwindow;

namespace {

const QDate kDay(2026, 12, 8); // the window opens with 07/12/2026 in both date fields

// Two guests arriving on 07/12/2026: one born in no known place, one of no known sex.
void writeDatabases(const Hotel &folder, bool doubtful)
{
    hotelfixture::Hotel data;
    data.rooms = {{1, "101", "DOP", 2}, {1, "9", "SIN", 1}};
    hotelfixture::Card born = hotelfixture::present("101", 15, "20261207", "20261209");
    born.NomeCliente = "ZANETTI ADA";
    hotelfixture::Card sex = hotelfixture::present("9", 16, "20261207", "20261209");
    sex.NomeCliente = "BIANCHI LUCA";
    if (doubtful) {
        born.LuogoNascita = "ATLANTIDE XX";
        sex.Sesso = "?";
    }
    data.current << born << sex;
    data.writeInto(QDir(folder.dir.path()));
}

// Opens the check through the menu and hands its window to `look` while it is shown.
void checkThroughTheMenu(NaxDesktop *window, const std::function<void(QDialog *)> &look)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QDialog *check = nullptr;
        if (QTest::qWaitFor([&] { return check = qobject_cast<app::CardCheckWindow *>(QApplication::activeModalWidget()); })) {
            seen = true;
            look(check);
            check->reject();
        }
    });
    window->menuBar()->findChild<QAction *>(u"menuSchede"_qs)->trigger();
    QVERIFY(seen);
}

QStringList column(const QTableView *table, int index)
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts << table->model()->index(row, index).data().toString();
    return texts;
}

} // namespace

class TestCardCheckWindow : public QObject
{
    Q_OBJECT

private slots:
    void findingsSortedCopiedAndSaved()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        writeDatabases(hotel, true);
        auto window = openWindow(hotel, kDay);
        field(window.get(), 2)->setText(u"1"_qs); // the range holds room 9 only in text order

        QMenu *menu = window->menuBar()->findChild<QMenu *>(u"menuControllo"_qs);
        QCOMPARE(menu->title(), u"Controllo"_qs);
        QCOMPARE(menu->actions().value(0)->text(), u"Schede del periodo"_qs);

        QByteArray saved;
        checkThroughTheMenu(window.get(), [&](QDialog *check) {
            QCOMPARE(check->windowTitle(), u"Schede del periodo"_qs);
            QCOMPARE(check->findChild<QLabel *>(u"checked"_qs)->text(),
                     u"File giornaliero dal 07/12/2026 al 07/12/2026, struttura ABC123"_qs);
            auto *table = check->findChild<QTableView *>(u"findings"_qs);
            QCOMPARE(column(table, 0), (QStringList{u"ZANETTI ADA"_qs, u"BIANCHI LUCA"_qs})); // the file's order
            QCOMPARE(column(table, 4), (QStringList{u"LuogoNascita"_qs, u"Sesso"_qs}));
            QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                              QPoint(table->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
            QCOMPARE(column(table, 0), (QStringList{u"BIANCHI LUCA"_qs, u"ZANETTI ADA"_qs}));

            // Enter in the list presses no button.
            QGuiApplication::clipboard()->setText(u"prima"_qs);
            QTest::keyClick(table, Qt::Key_Return);
            QCOMPARE(QGuiApplication::clipboard()->text(), u"prima"_qs);
            QTest::mouseClick(check->findChild<QPushButton *>(u"copia"_qs), Qt::LeftButton);
            const QStringList copied = QGuiApplication::clipboard()->text().split(u"\r\n"_qs);
            QCOMPARE(copied.value(0), u"Nome\tCamera\tArrivo\tDatabase\tCampo\tValore\tProblema"_qs);
            QVERIFY2(copied.value(1).startsWith(u"BIANCHI LUCA\t9\t07/12/2026\tattuale\tSesso\t?\tIl sesso «?»"),
                     qPrintable(copied.value(1)));

            QTimer::singleShot(0, [&] {
                QFileDialog *dialog = nullptr;
                if (!QTest::qWaitFor([&] { return dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()); }))
                    return;
                QCOMPARE(dialog->selectedFiles().value(0), hotel.path(u"controllo-schede-2026-12-07.csv"_qs));
                dialog->selectFile(hotel.path(u"elenco"_qs));
                static_cast<QDialog *>(dialog)->accept(); // as "Salva" in the dialog does
            });
            QTest::mouseClick(check->findChild<QPushButton *>(u"salva"_qs), Qt::LeftButton);
            saved = hotel.read(u"elenco.csv"_qs);
        });
        const QList<QByteArray> rows = saved.split('\n');
        QCOMPARE(rows.size(), 4);
        QVERIFY2(rows[1].startsWith("BIANCHI LUCA;9;07/12/2026;attuale;Sesso;?;"), saved.constData());
        QVERIFY2(rows[2].startsWith("ZANETTI ADA;101;07/12/2026;attuale;LuogoNascita;ATLANTIDE XX;"), saved.constData());
        // The window was not activated again: the operator's fields stay for "Crea File".
        QCOMPARE(field(window.get(), 2)->text(), u"1"_qs);
        QVERIFY(window->isVisible());
        QCOMPARE(hotel.xmlFiles(), QStringList());
    }

    void nothingDoubtful()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel, false);
        auto window = openWindow(hotel, kDay);
        QVERIFY(control<QCheckBox>(window.get(), u"Chk"_qs)->isChecked()); // the start-up file's check
        checkThroughTheMenu(window.get(), [](QDialog *check) {
            // The start-up file reports the night before the typed day.
            QCOMPARE(check->findChild<QLabel *>(u"checked"_qs)->text(), u"File di Start up del 06/12/2026, struttura ABC123"_qs);
            QCOMPARE(check->findChild<QLabel *>(u"summary"_qs)->text(),
                     u"Nessuna scheda del periodo darebbe un valore dubbio nel file."_qs);
            QVERIFY(!check->findChild<QTableView *>());
            QVERIFY(!check->findChild<QPushButton *>(u"salva"_qs)->isEnabled());
        });
    }

    // The window's first line for each kind of file: its words, the days it reports, the structure.
    void checkedFileTexts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("daily") << int(movement::FileKind::Classic)
                               << u"File giornaliero dal 07/12/2026 al 08/12/2026, struttura 2"_qs;
        QTest::newRow("start-up") << int(movement::FileKind::Schema) << u"File di Start up del 06/12/2026, struttura 2"_qs;
        QTest::newRow("closed") << int(movement::FileKind::Closed)
                                << u"File di struttura chiusa dal 07/12/2026 al 08/12/2026, struttura 2"_qs;
    }
    void checkedFileTexts()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        app::Run run{movement::FileKind(kind), {}, {u"07/12/2026"_qs, u"08/12/2026"_qs, QString(), u"ZZZZZZ"_qs}};
        run.context.selector = u"2"_qs;
        QCOMPARE(app::checkedFileText(run), text);
    }

    void failureInTheToolsBox()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        writeDatabases(hotel, true);
        QVERIFY(QFile::remove(hotel.path(u"Comuni.mdb"_qs)));
        auto window = openWindow(hotel, kDay);
        Box box;
        answerNextBox(box, pressOk);
        window->menuBar()->findChild<QAction *>(u"menuSchede"_qs)->trigger();
        QCOMPARE(box.title, u"Errore"_qs);
        QVERIFY2(box.text.contains(u"Comuni.mdb"), qPrintable(box.text));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestCardCheckWindow)
#include "tst_cardcheckwindow.moc"
