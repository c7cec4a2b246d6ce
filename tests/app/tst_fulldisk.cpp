// Saves on a disk without room: a small file system of the test's own (tmpfs in a user and
// mount namespace, so no root is needed) holds the earlier file and a filler that leaves a few
// bytes free. The save must be refused with its message and the earlier file kept whole.

#include "filebytes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Mounts the file system, plants the earlier file, fills the disk leaving $leave bytes, runs the
// writer, then reports what the folder holds, since the mount ends with the namespace.
const char *const kScript = R"sh(set -u
dir=$1 options=$2 leave=$3 earlier=$4; shift 4
mount -t tmpfs -o "$options" tmpfs "$dir" || exit 99
[ -z "$earlier" ] || printf 'earlier file\r\n' > "$dir/$earlier"
if [ "$leave" -ge 0 ]; then
    dd if=/dev/zero of="$dir/filler" bs=4096 2>/dev/null
    truncate -s "-$leave" "$dir/filler"
fi
"$@"
echo "status=$?"
[ -z "$earlier" ] || echo "earlier=$(cat "$dir/$earlier")"
echo "files=$(ls -A "$dir" | tr '\n' ' ')"
)sh";

struct Outcome
{
    QString output;  // the report of the script
    QString message; // what the writer printed on the error stream
};

// Runs the writer with writerArgs, "DIR" standing for the small disk's folder.
Outcome writeOnSmallDisk(const QString &options, int leave, const QString &earlier, const QStringList &writerArgs)
{
    QTemporaryDir mountPoint;
    QStringList args = writerArgs;
    args.replaceInStrings(u"DIR"_qs, mountPoint.path());
    QProcess shell;
    shell.start(u"unshare"_qs, QStringList{u"--user"_qs, u"--map-root-user"_qs, u"--mount"_qs, u"sh"_qs, u"-c"_qs,
                                           QString::fromUtf8(kScript), u"sh"_qs, mountPoint.path(), options,
                                           QString::number(leave), earlier, QStringLiteral(FILEWRITER_PATH)}
                                   + args);
    shell.waitForFinished(120000);
    return {QString::fromUtf8(shell.readAllStandardOutput()).replace(mountPoint.path(), u"DIR"_qs),
            QString::fromUtf8(shell.readAllStandardError()).replace(mountPoint.path(), u"DIR"_qs)};
}

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Namespaces may be forbidden where the tests run (some containers); say so, do not pass.
        if (!writeOnSmallDisk(u"size=64k"_qs, -1, {}, {u"--help"_qs}).output.contains(u"status=2"_qs))
            QSKIP("this system does not let a user mount a file system in a namespace of its own");
    }

    void fullDiskKeepsTheEarlierFile_data()
    {
        QTest::addColumn<int>("leave");
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QStringList>("writerArgs");
        const QStringList thirtyYears{u"movement"_qs, u"DIR"_qs, u"01/01/1900"_qs, u"31/12/1929"_qs};
        QTest::newRow("large file, no room") << 0 << u"DuzizUzazi1900-01-01.xml"_qs << thirtyYears;
        QTest::newRow("large file, 4 KB of room") << 4096 << u"DuzizUzazi1900-01-01.xml"_qs << thirtyYears;
        QTest::newRow("settings, no room") << 0 << u"NaxSetup.txt"_qs << QStringList{u"settings"_qs, u"DIR"_qs};
    }
    void fullDiskKeepsTheEarlierFile()
    {
        QFETCH(int, leave);
        QFETCH(QString, earlier);
        QFETCH(QStringList, writerArgs);
        const Outcome outcome = writeOnSmallDisk(u"size=256k"_qs, leave, earlier, writerArgs);
        QVERIFY2(outcome.output.contains(u"status=1\n"_qs), qPrintable(outcome.output + outcome.message));
        QVERIFY2(outcome.message.startsWith(u"Spazio su disco esaurito: il file «DIR/%1» non è stato scritto; "
                                            "il file precedente è intatto."_qs.arg(earlier)),
                 qPrintable(outcome.message));
        QVERIFY2(outcome.output.contains(u"earlier=earlier file\r\n"_qs), qPrintable(outcome.output));
        // Nothing else is left beside them: no short file, no temporary one.
        QVERIFY2(outcome.output.contains(u"files=%1 filler \n"_qs.arg(earlier)), qPrintable(outcome.output));
    }

    void folderThatCannotBeWrittenIsNamed()
    {
        const Outcome outcome = writeOnSmallDisk(u"ro,size=64k"_qs, -1, {},
                                                 {u"movement"_qs, u"DIR"_qs, u"01/01/1900"_qs, u"01/01/1900"_qs});
        QVERIFY2(outcome.output.contains(u"status=1\n"_qs), qPrintable(outcome.output));
        QCOMPARE(outcome.message.trimmed(),
                 u"Impossibile creare il file «DIR/DuzizUzazi1900-01-01.xml»: nella cartella «DIR» non si possono "
                 "creare file (permessi, disco di sola lettura o cartella di rete non raggiungibile): scegliere un altro "
                 "percorso in «Impostazioni» › «Percorso creazione file», per esempio nella cartella Documenti."_qs);
        QVERIFY2(outcome.output.contains(u"files= \n"_qs) || outcome.output.contains(u"files=\n"_qs),
                 qPrintable(outcome.output));
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
