// Starting the browser's command on Windows: an unquoted program path may hold spaces, as the
// "C:\Programmi\Internet Explorer\iexplore.exe" of older settings does. Every program lives in
// the test's own temporary folders, which are removed only once the programs started there have
// ended: Windows keeps a running program's file and the folder it runs in.

#include "browserlauncher.h"
#include "settingsfixture.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

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
    if (!QTest::qWaitFor([&] { return QFile::exists(record); }, 60000))
        return "<not started>";
    return readBytes(record);
}

// Removes the folders once nothing runs in them or from them any more.
bool removedOnceLeft(std::initializer_list<QTemporaryDir *> folders)
{
    const auto removed = [](QTemporaryDir *folder) { return !QFileInfo::exists(folder->path()) || folder->remove(); };
    return QTest::qWaitFor([&] { return std::all_of(folders.begin(), folders.end(), removed); }, 60000);
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
        QVERIFY(removedOnceLeft({&hotel, &again, &quoted, &programs}));
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
