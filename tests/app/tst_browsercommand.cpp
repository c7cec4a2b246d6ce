// Which way the portal's page opens for each setting: a web address alone in the default
// browser, anything else as a command line, and the messages when neither can be done.

#include "browsercommand.h"
#include "platformdefaults.h"
#include "recordinglauncher.h"
#include "settingsfixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace app;

class TestBrowserCommand : public QObject
{
    Q_OBJECT

private slots:
    void addressOrCommand_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("hasBrowser");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("message");
        const QString portal = kPortalAddress.toString();
        QTest::newRow("address alone") << portal << true << QStringList{portal} << QString();
        QTest::newRow("blanks around it") << u"  http://x.example/a?b=1\t"_qs << true
                                          << QStringList{u"http://x.example/a?b=1"_qs} << QString();
        QTest::newRow("capital scheme") << u"HTTPS://x.example/"_qs << true << QStringList{u"https://x.example/"_qs} << QString();
        QTest::newRow("command before it") << u"xdg-open "_qs + portal << true << QStringList{u"xdg-open "_qs + portal}
                                           << QString();
        QTest::newRow("quoted program") << u"\"C:\\Programmi\\b.exe\" "_qs + portal << true
                                        << QStringList{u"\"C:\\Programmi\\b.exe\" "_qs + portal} << QString();
        // A space makes it a command line, whose program the launcher then names if it is not there.
        QTest::newRow("address holding a space") << u"https://x.example/a b"_qs << true
                                                 << QStringList{u"https://x.example/a b"_qs} << QString();
        QTest::newRow("other scheme") << u"ftp://x.example/"_qs << true << QStringList{u"ftp://x.example/"_qs} << QString();
        QTest::newRow("scheme alone") << u"https://"_qs << true << QStringList() << u"non è valido"_qs;
        QTest::newRow("no default browser") << portal << false << QStringList{portal} << u"browser predefinito"_qs;
        QTest::newRow("empty") << QString() << true << QStringList() << u"è vuoto"_qs;
        QTest::newRow("quotes left open") << u"\"/usr/bin/env "_qs + portal << true << QStringList()
                                          << u"virgolette non chiuse"_qs;
    }
    void addressOrCommand()
    {
        QFETCH(QString, setting);
        QFETCH(bool, hasBrowser);
        QFETCH(QStringList, opened);
        QFETCH(QString, message);
        QTemporaryDir hotel;
        RecordingLauncher launcher;
        launcher.hasBrowser = hasBrowser;
        const QString error = settingsErrorOf([&] { openPortalPage(setting, QDir(hotel.path()), launcher); });
        QCOMPARE(launcher.opened, opened);
        if (message.isEmpty())
            QCOMPARE(error, QString());
        else
            QVERIFY2(error.contains(message) && error.contains(u"Indirizzo web per invio file"), qPrintable(error));
        // A command line, and only a command line, runs in the hotel's folder.
        const bool address = setting.trimmed().startsWith(u"http", Qt::CaseInsensitive) && !setting.trimmed().contains(u' ');
        QCOMPARE(launcher.folder, !opened.isEmpty() && !address ? hotel.path() : QString());
    }

    void missingProgramSuggestsTheAddress_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("suggested");
        QTest::newRow("the command's own address")
            << u"C:\\Programmi\\Internet Explorer\\iexplore.exe -nohome https://portale.example/up/"_qs
            << u"https://portale.example/up/"_qs;
        QTest::newRow("no address in it") << u"/nessun/browser --nuova-finestra"_qs << kPortalAddress.toString();
    }
    void missingProgramSuggestsTheAddress()
    {
        QFETCH(QString, command);
        QFETCH(QString, suggested);
        const QString message = programNotStarted(u"C:\\Programmi\\Internet Explorer\\iexplore.exe"_qs, command).message();
        QVERIFY2(message.startsWith(u"Impossibile avviare il programma «C:\\Programmi\\Internet Explorer\\iexplore.exe»"),
                 qPrintable(message));
        QVERIFY2(message.contains(u"solo l'indirizzo del portale, per esempio «%1»"_qs.arg(suggested)), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestBrowserCommand)
#include "tst_browsercommand.moc"
