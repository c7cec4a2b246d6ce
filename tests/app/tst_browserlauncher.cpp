#include "browserlauncher.h"
#include "settingserror.h"

#include <QTemporaryDir>
#include <QTest>

using namespace app;

class TestBrowserLauncher : public QObject
{
    Q_OBJECT

private slots:
    void startsTheCommandWithItsArguments()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath(u"browser.sh"_qs);
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\npwd > started.tmp\nprintf '%s\\n' \"$@\" >> started.tmp\nmv started.tmp started.txt\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);

        startBrowser(u"\""_qs + script + u"\" https://velunor.regione.example/Velunor/app/ \"two words\""_qs,
                     QDir(dir.path()));
        const QString record = dir.filePath(u"started.txt"_qs);
        QTRY_VERIFY(QFile::exists(record));
        QFile started(record);
        QVERIFY(started.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(started.readAll()).split(u'\n'),
                 (QStringList{QDir(dir.path()).canonicalPath(), u"https://velunor.regione.example/Velunor/app/"_qs,
                              u"two words"_qs, QString()}));
    }

    void emptyCommandsAreRefused()
    {
        QTemporaryDir dir;
        for (const QString &command : {u""_qs, u"   "_qs, u"\"\""_qs}) {
            try {
                startBrowser(command, QDir(dir.path()));
                QFAIL("an empty command was reported as started");
            } catch (const SettingsError &e) {
                QVERIFY2(e.message().contains(u"è vuoto"), qPrintable(e.message()));
            }
        }
    }

    void missingProgramIsNamed()
    {
        QTemporaryDir dir;
        const QString command = u"/nessun/browser https://x.example/"_qs;
        try {
            startBrowser(command, QDir(dir.path()));
            QFAIL("a missing program was reported as started");
        } catch (const SettingsError &e) {
            QVERIFY2(e.message().contains(command) && e.message().contains(u"Indirizzo web per invio file"),
                     qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestBrowserLauncher)
#include "tst_browserlauncher.moc"
