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
        QTest::addColumn<QString>("address"); // opened in the default browser
        QTest::addColumn<QString>("command"); // started as a command line
        QTest::addColumn<QString>("message");
        const QString portal = kPortalAddress.toString();
        QTest::newRow("address alone") << u" HTTPS://x.example/a?b=1\t"_qs << u"https://x.example/a?b=1"_qs
                                       << QString() << QString();
        QTest::newRow("command before it") << u"xdg-open "_qs + portal << QString() << u"xdg-open "_qs + portal
                                           << QString();
        // A space makes it a command line, whose program the launcher then names if it is not there.
        QTest::newRow("address holding a space") << u"https://x.example/a b"_qs << QString()
                                                 << u"https://x.example/a b"_qs << QString();
        QTest::newRow("scheme alone") << u"https://"_qs << QString() << QString() << u"non è valido"_qs;
        QTest::newRow("empty") << QString() << QString() << QString() << u"è vuoto"_qs;
    }
    void addressOrCommand()
    {
        QFETCH(QString, setting);
        QFETCH(QString, address);
        QFETCH(QString, command);
        QFETCH(QString, message);
        QTemporaryDir hotel;
        RecordingLauncher launcher;
        const QString error = settingsErrorOf([&] { openPortalPage(setting, QDir(hotel.path()), launcher); });
        QCOMPARE(launcher.opened, address.isEmpty() && command.isEmpty() ? QStringList() : QStringList{address + command});
        // A command line, and only a command line, runs in the hotel's folder.
        QCOMPARE(launcher.folder, command.isEmpty() ? QString() : hotel.path());
        QVERIFY2(message.isEmpty() ? error.isEmpty() : error.contains(message), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestBrowserCommand)
#include "tst_browsercommand.moc"
