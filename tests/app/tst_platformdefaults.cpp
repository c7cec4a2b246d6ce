// A first start: the defaults that stand in for "NaxSetup.txt" and the settings file they give.

#include "naxwindow.h"
#include "platformdefaults.h"
#include "settings.h"

#include <QScopeGuard>
#include <QStandardPaths>

#include <array>
#include <optional>

using namespace app;
using namespace naxwindow;

namespace {

// A variable of the environment as it stands, to be put back: nullopt when it is not set.
std::pair<const char *, std::optional<QByteArray>> environment(const char *name)
{
    return {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt};
}

} // namespace

class TestPlatformDefaults : public QObject
{
    Q_OBJECT

private slots:
    // A first start writes into the documents folder when there is one, otherwise into the home
    // folder: a new user's desktop, or one in Italian ("Documenti"), may have no "Documents".
    void outputFolderExists()
    {
        QTemporaryDir home;
        const auto restore = qScopeGuard([variables = std::array{environment("HOME"), environment("XDG_CONFIG_HOME")}] {
            for (const auto &[name, value] : variables)
                value ? qputenv(name, *value) : qunsetenv(name);
        });
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u".config"_qs)));
        if (!QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).startsWith(home.path()))
            QSKIP("this system does not take the user's folders from HOME");
        QCOMPARE(defaultPercorsoFile(), QDir::toNativeSeparators(home.filePath(u"DuzizUzazi.xml"_qs)));
        QVERIFY(QDir(home.path()).mkdir(u"Documents"_qs));
        QCOMPARE(defaultPercorsoFile(), QDir::toNativeSeparators(home.filePath(u"Documents/DuzizUzazi.xml"_qs)));
    }

    // A folder that exists and is no root (which Windows lets a program without elevation create
    // folders in, not files), written as the system writes paths, as the operator reads and types
    // them. The first use of the menu shows it and writes the settings file: CR LF.
    void firstStartSettings()
    {
        const QString percorso = defaultPercorsoFile();
        const QFileInfo file(percorso);
        QCOMPARE(file.fileName(), u"DuzizUzazi.xml"_qs);
        QVERIFY(file.dir().exists() && !file.dir().isRoot());
        QCOMPARE(percorso, QDir::toNativeSeparators(percorso));

        Hotel hotel;
        auto window = openWindow(hotel);
        Box box;
        answerNextBox(box, [](QDialog *b) { pressButton(b, 1); });
        window->findChild<QAction *>(u"menu2_1"_qs)->trigger();
        QCOMPARE(box.input, percorso);
        QVERIFY(box.text.endsWith(u"es. "_qs + percorso));
        const std::optional<Settings> written = readSettingsFile(QDir(hotel.dir.path()));
        QVERIFY(written);
        QCOMPARE(written->PercorsoFile, percorso);
        QVERIFY(hotel.read(u"NaxSetup.txt"_qs).endsWith("\r\nhttps://velunor.regione.example/Velunor/app/\r\nABC123\r\n"));
    }
};

QTEST_MAIN(TestPlatformDefaults)
#include "tst_platformdefaults.moc"
