// A run interrupted while it writes, and the run after it: the earlier file of that name stays
// whole, no partial movement file appears, and what the interrupted save left is cleaned up.

#include "filebytes.h"
#include "movementfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace movement;

namespace {

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
const QByteArray kUnfinished = kDeclaration + "<movimenti>\r\n  <codice>ABC123</codice>\r\n   <movimento>\r\n      <da";

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The size of the largest file the process has open inside the folder (a named temporary file
// or an unnamed one the system links in later), -1 when it has none open there yet.
qint64 sizeBeingWritten(qint64 pid, const QString &folder)
{
    const QDir fds(u"/proc/%1/fd"_qs.arg(pid));
    qint64 largest = -1;
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QFileInfo link(fds.filePath(fd));
        if (link.symLinkTarget().startsWith(folder + u'/'))
            largest = std::max(largest, link.size());
    }
    return largest;
}

} // namespace

class TestInterrupted : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileWritingKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).canonicalPath();
        const QString target = folder + u"/DuzizUzazi1900-01-01.xml"_qs;
        const QByteArray earlier = kDeclaration + "<movimenti>\r\n</movimenti>\r\n";
        writeBytes(target, earlier);

        // Eight thousand years of closed days: far more than is written before the kill.
        QProcess writer;
        writer.start(QStringLiteral(FILEWRITER_PATH), {u"movement"_qs, folder, u"01/01/1900"_qs, u"31/12/9999"_qs});
        QVERIFY(writer.waitForStarted());
        const qint64 pid = writer.processId();
        QVERIFY2(QTest::qWaitFor([&] { return sizeBeingWritten(pid, folder) > (1 << 20); }, 60000),
                 "the writer never had a file of a megabyte open in the folder");
        writer.kill();
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        QCOMPARE(readBytes(target), earlier);
        QCOMPARE(QDir(folder).entryList({u"*.xml"_qs}, QDir::Files | QDir::Hidden), QStringList{u"DuzizUzazi1900-01-01.xml"_qs});

        // The next run writes its file and leaves nothing of the interrupted one behind.
        writer.start(QStringLiteral(FILEWRITER_PATH), {u"movement"_qs, folder, u"01/01/1900"_qs, u"02/01/1900"_qs});
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitCode(), 0);
        QCOMPARE(filesIn(folder), QStringList{u"DuzizUzazi1900-01-01.xml"_qs});
        const QByteArray written = readBytes(target);
        QVERIFY(written.startsWith(kDeclaration) && written.endsWith("</movimenti>\r\n"));
        QCOMPARE(written.count("<movimento>"), 2);
    }

    void leftoversOfInterruptedRunsAreRemoved()
    {
        // What a save interrupted on a file system without unnamed temporary files (or on
        // Windows) leaves: the target's name, "." and six letters or digits.
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QStringList removed{u"DuzizUzazi2026-12-30.xml.Ab12Cd"_qs, u"DuzizUzazi2026-12-29.xml.x9Y8z7"_qs,
                                  u"DuzizUzazi2027-01-15.xml.Q1w2E3"_qs};
        writeBytes(folder.filePath(removed[0]), kUnfinished);
        writeBytes(folder.filePath(removed[1]), QByteArray());
        writeBytes(folder.filePath(removed[2]), kDeclaration.left(10));
        // The operator's copies, other programs' files, other names: all stay.
        const QByteArray complete = kDeclaration + "<movimenti>\r\n</movimenti>\r\n";
        const QMap<QString, QByteArray> kept{
            {u"DuzizUzazi2026-12-30.xml.backup"_qs, complete},
            {u"DuzizUzazi2026-12-30.xml.bak"_qs, kUnfinished},
            {u"DuzizUzazi2026-12-30.xml.Ab12Cd7"_qs, kUnfinished},
            {u"DuzizUzazi2026-12-30.xml.notes1"_qs, "appunti\r\n"},
            {u"DuzizUzazi.xml.Ab12Cd"_qs, kUnfinished},
            {u"Altro2026-12-30.xml.Ab12Cd"_qs, kUnfinished},
            {u"NaxSetup.txt.Ab12Cd"_qs, "a.xml\r\n"},
        };
        for (auto it = kept.begin(); it != kept.end(); ++it)
            writeBytes(folder.filePath(it.key()), it.value());
        folder.mkdir(u"Dati"_qs);
        writeBytes(folder.filePath(u"Dati/DuzizUzazi2026-12-30.xml.Zz9Zz9"_qs), kUnfinished);

        MovementContext context;
        context.folder = folder;
        context.PercorsoFile = u"DuzizUzazi.xml"_qs;
        context.CodiceStruttura = u"ABC123"_qs;
        context.selector = u"-"_qs;
        createMovementFile(FileKind::Closed, context, {u"30/12/2026"_qs, u"30/12/2026"_qs, QString(), QString()});

        QStringList expected = kept.keys() << u"DuzizUzazi2026-12-30.xml"_qs;
        expected.sort(Qt::CaseInsensitive);
        QCOMPARE(filesIn(dir.path()), expected);
        for (auto it = kept.begin(); it != kept.end(); ++it)
            QCOMPARE(readBytes(folder.filePath(it.key())), it.value());
        // Only beside the files of this run's path: the folder "Dati" is another path's.
        QCOMPARE(filesIn(folder.filePath(u"Dati"_qs)), QStringList{u"DuzizUzazi2026-12-30.xml.Zz9Zz9"_qs});

        context.PercorsoFile = u"Dati/DuzizUzazi.xml"_qs;
        createMovementFile(FileKind::Closed, context, {u"31/12/2026"_qs, u"31/12/2026"_qs, QString(), QString()});
        QCOMPARE(filesIn(folder.filePath(u"Dati"_qs)), QStringList{u"DuzizUzazi2026-12-31.xml"_qs});
    }
};

QTEST_GUILESS_MAIN(TestInterrupted)
#include "tst_interrupted.moc"
