// A first start on Windows: the defaults that stand in for "NaxSetup.txt" and the settings file
// they give.

#include "naxwindow.h"
#include "platformdefaults.h"
#include "settings.h"

#include <QStandardPaths>

using namespace app;
using namespace naxwindow;

class TestPlatformDefaults : public QObject
{
    Q_OBJECT

private slots:
    void firstStartSettings()
    {
        // The user's documents folder, which a program without elevation can write, unlike the
        // root of C:; written with backslashes, as the operator reads and types paths.
        const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        if (!documents.exists())
            QSKIP("this system's user has no documents folder");
        const QString percorso = QDir::toNativeSeparators(documents.filePath(u"DuzizUzazi.xml"_qs));
        QCOMPARE(defaultPercorsoFile(), percorso);
        QVERIFY(!documents.isRoot());
        QVERIFY(percorso.contains(u'\\') && !percorso.contains(u'/'));
        // The portal's address alone, for the default browser.
        QCOMPARE(defaultComandoWeb(), u"https://velunor.regione.example/Velunor/app/"_qs);

        // The first use of the menu shows the default and writes the settings file: CR LF.
        Hotel hotel;
        auto window = openWindow(hotel);
        Box box;
        answerNextBox(box, [](QDialog *b) { pressButton(b, 1); });
        window->findChild<QAction *>(u"menu2_1"_qs)->trigger();
        QCOMPARE(box.input, percorso);
        QVERIFY(box.text.endsWith(u"es. "_qs + percorso));
        const std::optional<Settings> written = readSettingsFile(QDir(hotel.dir.path()));
        QVERIFY(written);
        QCOMPARE(written->PercorsoFile, percorso);
        QVERIFY(hotel.read(u"NaxSetup.txt"_qs).endsWith("\r\nhttps://velunor.regione.example/Velunor/app/\r\nABC123\r\n"));
    }
};

QTEST_MAIN(TestPlatformDefaults)
#include "tst_platformdefaults_win.moc"
