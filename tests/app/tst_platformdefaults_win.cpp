// A first start on Windows: the defaults that stand in for "NaxSetup.txt" and the settings file
// they give.

#include "naxwindow.h"
#include "platformdefaults.h"

using namespace app;
using namespace naxwindow;

class TestPlatformDefaults : public QObject
{
    Q_OBJECT

private slots:
    void firstStartSettings()
    {
        QCOMPARE(defaultPercorsoFile(), u"C:\\DuzizUzazi.xml"_qs);
        QCOMPARE(defaultComandoWeb(),
                 u"C:\\Programmi\\Internet Explorer\\iexplore.exe https://velunor.regione.example/Velunor/app/"_qs);

        // The first use of the menu shows the default and writes the settings file: ANSI, CR LF.
        Hotel hotel;
        auto window = openWindow(hotel);
        Box box;
        answerNextBox(box, [](QDialog *b) { pressButton(b, 1); });
        window->findChild<QAction *>(u"menu2_1"_qs)->trigger();
        QCOMPARE(box.input, u"C:\\DuzizUzazi.xml"_qs);
        QCOMPARE(hotel.read(u"NaxSetup.txt"_qs),
                 QByteArray("C:\\DuzizUzazi.xml\r\n"
                            "C:\\Programmi\\Internet Explorer\\iexplore.exe https://velunor.regione.example/Velunor/app/\r\n"
                            "ABC123\r\n"));
    }
};

QTEST_MAIN(TestPlatformDefaults)
#include "tst_platformdefaults_win.moc"
