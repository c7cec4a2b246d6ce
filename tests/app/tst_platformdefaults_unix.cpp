#include "platformdefaults.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace app;

class TestPlatformDefaults : public QObject
{
    Q_OBJECT

private slots:
    // A first start writes into the documents folder when there is one, otherwise into the home
    // folder: a new user's desktop, or one in Italian ("Documenti"), may have no "Documents".
    void outputFolderExists()
    {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u".config"_qs)));
        QCOMPARE(defaultPercorsoFile(), home.filePath(u"DuzizUzazi.xml"_qs));
        QVERIFY(QDir(home.path()).mkdir(u"Documents"_qs));
        QCOMPARE(defaultPercorsoFile(), home.filePath(u"Documents/DuzizUzazi.xml"_qs));
    }

    // The address alone: the default browser opens it, whichever the system has.
    void browserCommandOpensThePortal()
    {
        QCOMPARE(defaultComandoWeb(), u"https://velunor.regione.example/Velunor/app/"_qs);
    }
};

QTEST_GUILESS_MAIN(TestPlatformDefaults)
#include "tst_platformdefaults_unix.moc"
