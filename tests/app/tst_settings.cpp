#include "platformdefaults.h"
#include "settings.h"
#include "settingsfixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace app;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void defaultsOfThisPlatform()
    {
        const Settings d = defaultSettings();
        QCOMPARE(d.CodiceStruttura, u"ABC123"_qs);
        QVERIFY(d.ComandoWeb.endsWith(u"/Velunor/app/"));
        QVERIFY(d.ComandoWeb.contains(u".example/"));
        QCOMPARE(d.PercorsoFile, defaultPercorsoFile());
    }

    void settingsFile()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QCOMPARE(readSettingsFile(folder), std::nullopt);

        writeSettingsFile(folder, {u"D:\\Dati\\Movimenti.txt"_qs, u"browser http://x.example/"_qs, u"Caffè1"_qs});
        QCOMPARE(readBytes(dir.filePath(u"NaxSetup.txt"_qs)),
                 QByteArray("D:\\Dati\\Movimenti.txt\r\nbrowser http://x.example/\r\nCaff\xE8" "1\r\n"));
        const std::optional<Settings> read = readSettingsFile(folder);
        QVERIFY(read);
        QCOMPARE(read->PercorsoFile, u"D:\\Dati\\Movimenti.txt"_qs);
        QCOMPARE(read->ComandoWeb, u"browser http://x.example/"_qs);
        QCOMPARE(read->CodiceStruttura, u"Caffè1"_qs);

        fileWith(dir, u"NaxSetup.txt"_qs, " a.xml \r\ncmd\r\n\r\nignored\r\n");
        QCOMPARE(readSettingsFile(folder)->PercorsoFile, u" a.xml "_qs);
        QCOMPARE(readSettingsFile(folder)->CodiceStruttura, QString());
    }

    void shortSettingsFileIsRefused()
    {
        QTemporaryDir dir;
        fileWith(dir, u"NaxSetup.txt"_qs, "a.xml\r\ncmd\r\n");
        const QString message = settingsErrorOf([&] { readSettingsFile(QDir(dir.path())); });
        QVERIFY2(message.contains(u"NaxSetup.txt") && message.contains(u"2 righe"), qPrintable(message));
    }

    void structureList()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QCOMPARE(readStructureFile(folder).has_value(), false);

        fileWith(dir, u"VeluSetup.txt"_qs, "2\r\nCODE1\r\n,1,2,3,\r\nCODE2\r\n,4,5,\r\nignored\r\n");
        std::optional<StructureList> list = readStructureFile(folder);
        QVERIFY(list);
        QCOMPARE(list->NumeroStrutture, 2);
        QCOMPARE(entries(list->CodiciStrutture), (QStringList{u"CODE1"_qs, u"CODE2"_qs}));
        QCOMPARE(entries(list->CamereStrutture), (QStringList{u",1,2,3,"_qs, u",4,5,"_qs}));

        fileWith(dir, u"VeluSetup.txt"_qs, "1.5 strutture\r\nA\r\n,1,\r\nB\r\n,2,\r\n");
        QCOMPARE(readStructureFile(folder)->NumeroStrutture, 2);
        fileWith(dir, u"VeluSetup.txt"_qs, "10\r\n" + QByteArray("C\r\n,1,\r\n").repeated(10));
        QCOMPARE(readStructureFile(folder)->NumeroStrutture, 10);

        for (const QByteArray &none : {QByteArray("0\r\n"), QByteArray("-3\r\n"), QByteArray("nessuna\r\n")}) {
            fileWith(dir, u"VeluSetup.txt"_qs, none);
            list = readStructureFile(folder);
            QVERIFY(list);
            QCOMPARE(list->NumeroStrutture, 0);
            QVERIFY(entries(list->CodiciStrutture).isEmpty());
        }
    }

    void brokenStructureListIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("detail");
        QTest::newRow("empty") << QByteArray() << "vuoto";
        QTest::newRow("room list missing") << QByteArray("2\r\nA\r\n,1,\r\nB\r\n") << "ne ha 4";
        QTest::newRow("eleven structures") << QByteArray("11\r\n") + QByteArray("C\r\n,1,\r\n").repeated(11) << "11 strutture";
    }
    void brokenStructureListIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, detail);
        QTemporaryDir dir;
        fileWith(dir, u"VeluSetup.txt"_qs, bytes);
        const QString message = settingsErrorOf([&] { readStructureFile(QDir(dir.path())); });
        QVERIFY2(message.contains(u"VeluSetup.txt") && message.contains(detail), qPrintable(message));
    }

    void startupMark()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QVERIFY(!startupMarkExists(folder));
        writeStartupMark(folder);
        QVERIFY(startupMarkExists(folder));
        QCOMPARE(readBytes(dir.filePath(u"IPUSU.txt"_qs)), QByteArray("Ok\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"
