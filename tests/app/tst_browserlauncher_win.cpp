// Starting the browser's command on Windows: an unquoted program path may hold spaces, as the
// "C:\Programmi\Internet Explorer\iexplore.exe" of older settings does. Every program lives in
// the test's own temporary folders.

#include "browserlauncher.h"
#include "settingsfixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace app;

namespace {

const QString kAddress = u"https://velunor.regione.example/Velunor/app/"_qs;

// Puts the recording browser at path, folders made as needed.
bool plantBrowser(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath())
           && QFile::copy(QFileInfo(QStringLiteral(RECORDBROWSER_PATH)).absoluteFilePath(), path);
}

// What the browser recorded in the folder it was started in: its arguments, a line each.
QByteArray recorded(const QTemporaryDir &folder)
{
    const QString record = folder.filePath(u"browser.txt"_qs);
    if (!QTest::qWaitFor([&] { return QFile::exists(record); }, 20000))
        return "<not started>";
    return readBytes(record);
}

} // namespace

class TestBrowserLauncher : public QObject
{
    Q_OBJECT

private slots:
    void unquotedPathWithSpaces()
    {
        QTemporaryDir programs;
        const QString program = programs.filePath(u"Internet Explorer/iexplore.exe"_qs);
        QVERIFY(plantBrowser(program));
        SystemBrowserLauncher launcher;
        QTemporaryDir hotel;
        launcher.startCommand(QDir::toNativeSeparators(program) + u' ' + kAddress, QDir(hotel.path()));
        QCOMPARE(recorded(hotel), (kAddress + u'\n').toUtf8());

        // Without ".exe", as the system finds the program too; and quoted, with quoted arguments.
        QTemporaryDir again;
        launcher.startCommand(QDir::toNativeSeparators(program).chopped(4) + u' ' + kAddress, QDir(again.path()));
        QCOMPARE(recorded(again), (kAddress + u'\n').toUtf8());
        QTemporaryDir quoted;
        launcher.startCommand(u'"' + QDir::toNativeSeparators(program) + u"\" \"due parole\" "_qs + kAddress,
                              QDir(quoted.path()));
        QCOMPARE(recorded(quoted), (u"due parole\n"_qs + kAddress + u'\n').toUtf8());
    }

    void missingProgramIsNamed()
    {
        QTemporaryDir hotel;
        const QString command = u"C:\\Nessuna cartella\\browser.exe https://x.example/"_qs;
        const QString message = settingsErrorOf([&] { SystemBrowserLauncher().startCommand(command, QDir(hotel.path())); });
        // The whole unquoted path up to ".exe", not its first word, and the address alone instead.
        QVERIFY2(message.startsWith(u"Impossibile avviare il programma «C:\\Nessuna cartella\\browser.exe»")
                     && message.contains(u"«https://x.example/»") && message.contains(u"Indirizzo web per invio file"),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestBrowserLauncher)
#include "tst_browserlauncher_win.moc"
