// Starting the browser's command on Windows: an unquoted program path may hold spaces, as the
// default "C:\Programmi\Internet Explorer\iexplore.exe" does.

#include "browserlauncher.h"
#include "platformdefaults.h"
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
        QTemporaryDir hotel;
        startBrowser(QDir::toNativeSeparators(program) + u' ' + kAddress, QDir(hotel.path()));
        QCOMPARE(recorded(hotel), (kAddress + u'\n').toUtf8());

        // Without ".exe", as the system finds the program too; and quoted, with quoted arguments.
        QTemporaryDir again;
        startBrowser(QDir::toNativeSeparators(program).chopped(4) + u' ' + kAddress, QDir(again.path()));
        QCOMPARE(recorded(again), (kAddress + u'\n').toUtf8());
        QTemporaryDir quoted;
        startBrowser(u'"' + QDir::toNativeSeparators(program) + u"\" \"due parole\" "_qs + kAddress, QDir(quoted.path()));
        QCOMPARE(recorded(quoted), (u"due parole\n"_qs + kAddress + u'\n').toUtf8());
    }

    void defaultCommandOnAFirstStart()
    {
        QCOMPARE(defaultComandoWeb(), u"C:\\Programmi\\Internet Explorer\\iexplore.exe "_qs + kAddress);
        const QString program = u"C:/Programmi/Internet Explorer/iexplore.exe"_qs;
        if (QFile::exists(program))
            QSKIP("this system has a program of its own where the default command points");
        if (!plantBrowser(program))
            QSKIP("this system does not let the test write where the default command points");
        QTemporaryDir hotel;
        startBrowser(defaultComandoWeb(), QDir(hotel.path()));
        const QByteArray arguments = recorded(hotel);
        QFile::remove(program);
        QCOMPARE(arguments, (kAddress + u'\n').toUtf8());
    }

    void missingProgramIsNamed()
    {
        QTemporaryDir hotel;
        const QString command = u"C:\\Nessuna cartella\\browser.exe https://x.example/"_qs;
        const QString message = settingsErrorOf([&] { startBrowser(command, QDir(hotel.path())); });
        QVERIFY2(message.contains(command) && message.contains(u"Indirizzo web per invio file"), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestBrowserLauncher)
#include "tst_browserlauncher_win.moc"
