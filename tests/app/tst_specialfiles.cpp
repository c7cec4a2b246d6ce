// Settings and override files that are no plain files: a pipe, whose opening would wait for a
// writer for ever, a link to one, links to devices that never end. The window appears, stays
// responsive and names the file in its box; a hang fails the test through its time limit.

#include "namedpipe.h"
#include "timelimit.h"
#include "hotelfixture.h"
#include "naxwindow.h"

using namespace naxwindow;

class TestSpecialFiles : public QObject
{
    Q_OBJECT

private slots:
    void refusedAtOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target"); // a pipe beside it, or a device
        for (const char *name : {"NaxSetup.txt", "VeluSetup.txt", "CamDispSPOT.txt", "LettiDispSPOT.txt"}) {
            for (const char *target : {"", "pipe", "/dev/zero", "/dev/urandom"})
                QTest::addRow("%s -> %s", name, *target ? target : "itself a pipe") << QString::fromUtf8(name) << QString::fromUtf8(target);
        }
    }
    void refusedAtOnce()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        Hotel hotel;
        hotel.settings();
        hotel.endStartUp();
        hotelfixture::Hotel().writeInto(QDir(hotel.dir.path()));
        QFile::remove(hotel.path(name));
        if (target.isEmpty()) {
            QVERIFY(makeNamedPipe(hotel.path(name)));
        } else {
            if (target == u"pipe")
                QVERIFY(makeNamedPipe(target = hotel.path(target)));
            QVERIFY(QFile::link(target, hotel.path(name)));
        }

        const timelimit::TimeLimit limit(QString::fromUtf8(QTest::currentDataTag()), std::chrono::seconds(30));
        Box box;
        // The settings and the structure list are read as the window opens, the override files by "Crea File".
        const bool readAtOpening = name == u"NaxSetup.txt" || name == u"VeluSetup.txt";
        if (readAtOpening)
            answerNextBox(box, pressOk);
        auto window = openWindow(hotel);
        if (!readAtOpening)
            pressCreaFile(window.get(), box);
        expectRefused(hotel, window.get(), box, QDir::toNativeSeparators(hotel.path(name)));
    }
};

QTEST_MAIN(TestSpecialFiles)
#include "tst_specialfiles.moc"
