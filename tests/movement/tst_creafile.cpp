// "Crea File" through the real window, headless, on a folder holding the hotel's databases.

#include "naxwindow.h"
#include "hotelfixture.h"

#include <QCheckBox>

using namespace naxwindow;
using hotelfixture::crlf;

namespace {

const QDate kDay(2026, 12, 8); // the window opens with 07/12/2026 in both date fields

const QByteArray kClassic = crlf(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<movimenti>\n"
    " <codice>ABC123</codice>\n"
    " <prodotto>QUORVANE</prodotto>\n"
    "   <movimento>\n"
    "      <data>20261207</data>\n"
    "      <struttura>\n"
    "         <apertura>SI</apertura>\n"
    "         <camereoccupate>1</camereoccupate>\n"
    "         <cameredisponibili>1</cameredisponibili>\n"
    "         <lettidisponibili>2</lettidisponibili>\n"
    "      </struttura>\n"
    "      <arrivi>\n"
    "         <arrivo>\n"
    "            <idswh>26000016</idswh>\n"
    "            <tipoalloggiato>16</tipoalloggiato>\n"
    "            <idcapo></idcapo>\n"
    "            <sesso>M</sesso>\n"
    "            <cittadinanza>100000100</cittadinanza>\n"
    "            <statoresidenza>100000100</statoresidenza>\n"
    "            <luogoresidenza>058091000</luogoresidenza>\n"
    "            <datanascita>19800101</datanascita>\n"
    "            <statonascita>100000100</statonascita>\n"
    "            <comunenascita>058091000</comunenascita>\n"
    "            <tipoturismo>Non specificato</tipoturismo>\n"
    "            <mezzotrasporto>Non specificato</mezzotrasporto>\n"
    "            <canaleprenotazione></canaleprenotazione>\n"
    "            <titolostudio>Non specificato</titolostudio>\n"
    "            <professione>Non specificato</professione>\n"
    "         </arrivo>\n"
    "      </arrivi>\n"
    "      <partenze>\n"
    "      </partenze>\n"
    "      <prenotazioni></prenotazioni>\n"
    "      <rettifiche></rettifiche>\n"
    "   </movimento>\n"
    "</movimenti>\n");

const QByteArray kStartUp = crlf(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<movimenti xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xsi:noNamespaceSchemaLocation=\"movimentogiornaliero-0.5.xsd\" vendor=\"Quorvane\">\n"
    "   <movimento type=\"MP\" data=\"2026-12-06\">\n"
    "      <arrivi>\n"
    "         <arrivo>\n"
    "            <codiceclientesr>15</codiceclientesr>\n"
    "            <sesso>M</sesso>\n"
    "            <cittadinanza>100000100</cittadinanza>\n"
    "            <comuneresidenza>058091000</comuneresidenza>\n"
    "            <occupazionepostoletto>si</occupazionepostoletto>\n"
    "            <dayuse>no</dayuse>\n"
    "            <tipologiaalloggiato>16</tipologiaalloggiato>\n"
    "            <eta>46</eta>\n"
    "         </arrivo>\n"
    "      </arrivi>\n"
    "      <datistruttura>\n"
    "         <cameredisponibili>1</cameredisponibili>\n"
    "         <postilettodisponibili>2</postilettodisponibili>\n"
    "         <camereoccupate>1</camereoccupate>\n"
    "      </datistruttura>\n"
    "   </movimento>\n"
    "</movimenti>\n");

// Room 101 with a guest of its own since 06/12 and one arriving on 07/12; room 9 lies outside
// the room range 1 to 20 that the tests type.
void writeDatabases(const Hotel &folder)
{
    hotelfixture::Hotel data;
    data.rooms = {{1, "101", "DOP", 2}, {1, "9", "SIN", 1}};
    hotelfixture::Card own = hotelfixture::present("101", 15, "20261206", "20261209");
    own.CapoFamiglia = "U";
    data.current << own << hotelfixture::present("101", 16, "20261207", "20261209")
                 << hotelfixture::present("9", 17, "20261205", "20261209");
    data.writeInto(QDir(folder.dir.path()));
}

void typeRoomRange(const QWidget *window)
{
    field(window, 2)->setFocus();
    typeAndEnter(window, 2, u"1"_qs);
    typeAndEnter(window, 3, u"20"_qs);
}

// Presses "Crea File" and answers the start-up question, when one comes, with the button given.
Box createFile(NaxDesktop *window, int answer)
{
    Box box;
    answerNextBox(box, [answer](QDialog *b) { pressButton(b, answer); });
    QTest::mouseClick(control<QPushButton>(window, u"T0"_qs), Qt::LeftButton);
    return box;
}

constexpr int kSi = 0, kNo = 1;

} // namespace

class TestCreaFile : public QObject
{
    Q_OBJECT

private slots:
    void classicFile()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        writeDatabases(hotel);
        auto window = openWindow(hotel, kDay);
        QVERIFY(makeActive(window.get()));
        typeRoomRange(window.get());
        const Box box = createFile(window.get(), kSi);

        QVERIFY2(!box.shown, qPrintable(box.text));
        QVERIFY(!window->isVisible());
        QCOMPARE(hotel.xmlFiles(), QStringList{u"DuzizUzazi2026-12-07.xml"_qs});
        const QByteArray file = hotel.read(u"DuzizUzazi2026-12-07.xml"_qs);
        QCOMPARE(file.split('\n'), kClassic.split('\n'));
        QCOMPARE(hotel.browser.opened, QStringList{Hotel::browserCommand()});
    }

    void startUpConfirmed()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        auto window = openWindow(hotel, kDay);
        QVERIFY(makeActive(window.get()));
        QVERIFY(control<QCheckBox>(window.get(), u"Chk"_qs)->isChecked());
        typeRoomRange(window.get());
        const Box box = createFile(window.get(), kSi);

        QCOMPARE(box.text, u"Fase di Start up eseguita?"_qs);
        QVERIFY(!window->isVisible());
        QCOMPARE(hotel.xmlFiles(), QStringList{u"DuzizUzazi2026-12-06.xml"_qs});
        QCOMPARE(hotel.read(u"DuzizUzazi2026-12-06.xml"_qs).split('\n'), kStartUp.split('\n'));
        QCOMPARE(hotel.read(u"IPUSU.txt"_qs), QByteArray("Ok\r\n"));
        QCOMPARE(hotel.browser.opened, QStringList{Hotel::browserCommand()});

        auto next = openWindow(hotel, kDay);
        QVERIFY(!control<QCheckBox>(next.get(), u"Chk"_qs)->isChecked());
        QVERIFY(!control<QCheckBox>(next.get(), u"Chk"_qs)->isEnabled());
    }

    void startUpNotConfirmed()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        auto window = openWindow(hotel, kDay);
        QVERIFY(makeActive(window.get()));
        typeRoomRange(window.get());
        // Enter answers the button that has the focus: "No", so that a stray Enter ends nothing.
        Box box;
        answerNextBox(box, [](QDialog *b) { pressKey(b, Qt::Key_Return); });
        QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);

        QCOMPARE(box.title, u"Invio dati"_qs);
        QCOMPARE(box.text, u"Fase di Start up eseguita?"_qs);
        QCOMPARE(box.buttons, (QStringList{u"Si"_qs, u"No"_qs}));
        QCOMPARE(box.focused, u"T1"_qs);
        QVERIFY(!window->isVisible());
        QCOMPARE(hotel.read(u"DuzizUzazi2026-12-06.xml"_qs), kStartUp);
        QVERIFY(!QFile::exists(hotel.path(u"IPUSU.txt"_qs)));

        auto next = openWindow(hotel, kDay);
        QVERIFY(control<QCheckBox>(next.get(), u"Chk"_qs)->isChecked());
        QVERIFY(control<QCheckBox>(next.get(), u"Chk"_qs)->isEnabled());
    }

    void missingDatabaseIsReported()
    {
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        writeDatabases(hotel);
        QVERIFY(QFile::remove(hotel.path(u"NumeriCamere.mdb"_qs)));
        auto window = openWindow(hotel, kDay);
        const Box box = createFile(window.get(), kSi);

        expectRefused(hotel, window.get(), box, u"NumeriCamere.mdb"_qs);
    }
};

QTEST_MAIN(TestCreaFile)
#include "tst_creafile.moc"
