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
        QTest::addColumn<QString>("address"); // opened in the default browser
        QTest::addColumn<QString>("command"); // started as a command line
        QTest::addColumn<QString>("message");
        const QString portal = kPortalAddress.toString();
        QTest::newRow("address alone") << portal << true << portal << QString() << QString();
        QTest::newRow("blanks around it") << u"  http://x.example/a?b=1\t"_qs << true << u"http://x.example/a?b=1"_qs
                                          << QString() << QString();
        QTest::newRow("capital scheme") << u"HTTPS://x.example/"_qs << true << u"https://x.example/"_qs << QString()
                                        << QString();
        QTest::newRow("command before it") << u"xdg-open "_qs + portal << true << QString() << u"xdg-open "_qs + portal
                                           << QString();
        QTest::newRow("quoted program") << u"\"C:\\Programmi\\b.exe\" "_qs + portal << true << QString()
                                        << u"\"C:\\Programmi\\b.exe\" "_qs + portal << QString();
        // A space makes it a command line, whose program the launcher then names if it is not there.
        QTest::newRow("address holding a space") << u"https://x.example/a b"_qs << true << QString()
                                                 << u"https://x.example/a b"_qs << QString();
        QTest::newRow("other scheme") << u"ftp://x.example/"_qs << true << QString() << u"ftp://x.example/"_qs << QString();
        QTest::newRow("scheme alone") << u"https://"_qs << true << QString() << QString() << u"non è valido"_qs;
        QTest::newRow("no default browser") << portal << false << portal << QString() << u"browser predefinito"_qs;
        QTest::newRow("empty") << QString() << true << QString() << QString() << u"è vuoto"_qs;
        QTest::newRow("quotes left open") << u"\"/usr/bin/env "_qs + portal << true << QString() << QString()
                                          << u"virgolette non chiuse"_qs;
    }
    void addressOrCommand()
    {
        QFETCH(QString, setting);
        QFETCH(bool, hasBrowser);
        QFETCH(QString, address);
        QFETCH(QString, command);
        QFETCH(QString, message);
        QTemporaryDir hotel;
        RecordingLauncher launcher;
        launcher.hasBrowser = hasBrowser;
        const QString error = settingsErrorOf([&] { openPortalPage(setting, QDir(hotel.path()), launcher); });
        QCOMPARE(launcher.opened, address.isEmpty() && command.isEmpty() ? QStringList() : QStringList{address + command});
        // A command line, and only a command line, runs in the hotel's folder.
        QCOMPARE(launcher.folder, command.isEmpty() ? QString() : hotel.path());
        if (message.isEmpty())
            QCOMPARE(error, QString());
        else
            QVERIFY2(error.contains(message) && error.contains(u"Indirizzo web per invio file"), qPrintable(error));
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
