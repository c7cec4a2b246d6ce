#include "browserlauncher.h"
#include "settingsfixture.h"

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
        const QString script = fileWith(
            dir, u"browser.sh"_qs, "#!/bin/sh\npwd > started.tmp\nprintf '%s\\n' \"$@\" >> started.tmp\nmv started.tmp started.txt\n");
        QVERIFY(QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner));

        SystemBrowserLauncher().startCommand(u"\""_qs + script + u"\" https://velunor.regione.example/Velunor/app/ \"two words\""_qs,
                     QDir(dir.path()));
        const QString record = dir.filePath(u"started.txt"_qs);
        QTRY_VERIFY(QFile::exists(record));
        QCOMPARE(QString::fromUtf8(readBytes(record)).split(u'\n'),
                 (QStringList{QDir(dir.path()).canonicalPath(), u"https://velunor.regione.example/Velunor/app/"_qs,
                              u"two words"_qs, QString()}));
    }

    void emptyCommandsAreRefused()
    {
        QTemporaryDir dir;
        for (const QString &command : {u""_qs, u"   "_qs, u"\"\""_qs}) {
            const QString message =
                settingsErrorOf([&] { SystemBrowserLauncher().startCommand(command, QDir(dir.path())); });
            QVERIFY2(message.contains(u"è vuoto"), qPrintable(command));
        }
    }

    void missingProgramIsNamed()
    {
        QTemporaryDir dir;
        const QString command = u"/nessun/browser https://x.example/"_qs;
        const QString message = settingsErrorOf([&] { SystemBrowserLauncher().startCommand(command, QDir(dir.path())); });
        QVERIFY2(message.startsWith(u"Impossibile avviare il programma «/nessun/browser»")
                     && message.contains(u"«https://x.example/»") && message.contains(u"Indirizzo web per invio file"),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestBrowserLauncher)
#include "tst_browserlauncher_unix.moc"
