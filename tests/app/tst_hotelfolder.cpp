#include "hotelfolder.h"
#include "settingsfixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace app;

namespace {

// A folder as the hotel's is: one of the hotel program's databases in it.
void holdDatabase(const QTemporaryDir &folder)
{
    QVERIFY(QFile(folder.filePath(u"Scheda_Cliente.mdb"_qs)).open(QIODevice::WriteOnly));
}

// What the settings remember for the menu entry.
enum Remembered { Nothing, GoneFolder, EmptyFolder, HotelsFolder };

} // namespace

class TestHotelFolder : public QObject
{
    Q_OBJECT

private slots:
    // Asked once, remembered, and asked again only when the folder is gone or holds no database.
    void chosenOnceAndRemembered()
    {
        QTemporaryDir settings;
        QTemporaryDir hotel;
        holdDatabase(hotel);
        const HotelFolder folder(QDir(settings.filePath(u"NaxDesktop"_qs)));
        QStringList asked;
        QString answer = hotel.path();
        const auto ask = [&](const QString &why) {
            asked << why;
            return answer;
        };

        QCOMPARE(folder.choose(ask), QDir(hotel.path()));
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].startsWith(u"Scegliere la cartella dell'hotel"), qPrintable(asked[0]));
        QCOMPARE(readBytes(folder.filePath()), (hotel.path() + u'\n').toUtf8());
        QCOMPARE(folder.choose(ask), QDir(hotel.path()));
        QCOMPARE(asked.size(), 1);

        QTemporaryDir moved;
        holdDatabase(moved);
        answer = moved.path();
        QVERIFY(QDir(hotel.path()).removeRecursively());
        QCOMPARE(folder.choose(ask), QDir(moved.path()));
        QCOMPARE(asked.size(), 2);
        QVERIFY2(asked[1].contains(u"non esiste più"), qPrintable(asked[1]));
        QCOMPARE(readBytes(folder.filePath()), (moved.path() + u'\n').toUtf8());

        // A folder without the hotel program's databases is asked for again, saying why.
        QVERIFY(QFile::remove(moved.filePath(u"Scheda_Cliente.mdb"_qs)));
        answer = hotel.path();
        QVERIFY(QDir().mkpath(hotel.path()));
        holdDatabase(hotel);
        QCOMPARE(folder.choose(ask), QDir(hotel.path()));
        QVERIFY2(asked.value(2).contains(u"non contiene nessun archivio") && asked[2].contains(QDir::toNativeSeparators(moved.path())),
                 qPrintable(asked.value(2)));
        // The menu entry's --scegli asks in any case.
        QCOMPARE(folder.choose(ask, true), QDir(hotel.path()));
        QCOMPARE(asked.size(), 4);
    }

    void givingUpRemembersNothing()
    {
        QTemporaryDir settings;
        const HotelFolder folder(QDir(settings.path()));
        QCOMPARE(folder.choose([](const QString &) { return QString(); }), std::nullopt);
        QVERIFY(!QFile::exists(folder.filePath()));
    }

    // The scheduled run asks nothing: a folder not chosen yet, gone or without databases is
    // refused, naming it and saying where to choose it, and what is remembered stays as it was.
    void rememberedForTheCommandLine_data()
    {
        QTest::addColumn<int>("remembered");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing chosen") << int(Nothing)
                                        << u"La cartella dell'hotel non è ancora stata scelta: sceglierla una volta aprendo "
                                           u"il programma dalla voce «Preparazione file per Istat (Velunor)»"_qs;
        QTest::newRow("gone") << int(GoneFolder)
                              << u"non esiste più o non è raggiungibile; se è stata spostata, sceglierla di nuovo dalla "
                                 u"voce «Cambia la cartella dell'hotel»"_qs;
        QTest::newRow("no database") << int(EmptyFolder)
                                     << u"non contiene nessun archivio del programma alberghiero: sceglierla di nuovo"_qs;
        QTest::newRow("the hotel's") << int(HotelsFolder) << QString();
    }
    void rememberedForTheCommandLine()
    {
        QFETCH(int, remembered);
        QFETCH(QString, message);
        QTemporaryDir settings;
        QTemporaryDir hotel;
        if (remembered == HotelsFolder)
            holdDatabase(hotel);
        const HotelFolder folder(QDir(settings.path()));
        const QString path = remembered == GoneFolder ? hotel.filePath(u"spostata"_qs) : hotel.path();
        if (remembered != Nothing)
            writeBytes(folder.filePath(), (path + u'\n').toUtf8());
        const QByteArray before = readBytes(folder.filePath());

        std::optional<QDir> found;
        const QString error = settingsErrorOf([&] { found = folder.remembered(); });
        QCOMPARE(error.isEmpty(), message.isEmpty());
        QVERIFY2(error.contains(message), qPrintable(error));
        if (remembered != Nothing)
            QVERIFY2(error.isEmpty() || error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(found, message.isEmpty() ? std::optional(QDir(hotel.path())) : std::nullopt);
        QCOMPARE(readBytes(folder.filePath()), before);
    }
};

QTEST_GUILESS_MAIN(TestHotelFolder)
#include "tst_hotelfolder.moc"
