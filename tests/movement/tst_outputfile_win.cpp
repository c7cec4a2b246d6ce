// The movement file on Windows: paths with drive letters and backslashes (the root of C: of
// older settings included, as a path: the test writes only in its own folder), and an earlier
// file that another program has open.

#include "filebytes.h"
#include "operatorerror.h"
#include "outputfile.h"
#include "savefile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace movement;

class TestOutputFileWindows : public QObject
{
    Q_OBJECT

private slots:
    void pathsWithDriveLettersAndBackslashes()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QDate day(2026, 12, 7);
        const auto native = [&](const QString &percorso) {
            return QDir::toNativeSeparators(outputFilePath(folder, percorso, day));
        };
        QCOMPARE(native(u"C:\\DuzizUzazi.xml"_qs), u"C:\\DuzizUzazi2026-12-07.xml"_qs);
        QVERIFY(folder.mkdir(u"Dati"_qs));
        const QString nativeDir = QDir::toNativeSeparators(dir.path());
        QCOMPARE(native(nativeDir + u"\\Dati\\Movimenti.txt"_qs), nativeDir + u"\\Dati\\Movimenti2026-12-07.xml"_qs);
        // A relative name lies in the hotel's folder.
        QCOMPARE(native(u"Dati\\M.xml"_qs), nativeDir + u"\\Dati\\M2026-12-07.xml"_qs);
    }

    void earlierFileOpenInAnotherProgram()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"DuzizUzazi2026-12-07.xml"_qs);
        writeBytes(path, "earlier\r\n");
        {
            // Open as programs open files on Windows: others may read and write, not replace it.
            QFile reader(path);
            QVERIFY(reader.open(QIODevice::ReadOnly));
            try {
                core::saveAtomically(path, [](QIODevice &out) { out.write("new\r\n"); });
                QFAIL("a file another program has open was replaced");
            } catch (const core::OperatorError &e) {
                QVERIFY2(e.message().contains(u"aperto in un altro programma"_qs), qPrintable(e.message()));
                QVERIFY2(e.message().contains(u"il file precedente è intatto"_qs), qPrintable(e.message()));
            }
            QCOMPARE(readBytes(path), QByteArray("earlier\r\n"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"DuzizUzazi2026-12-07.xml"_qs});
        }
        core::saveAtomically(path, [](QIODevice &out) { out.write("new\r\n"); });
        QCOMPARE(readBytes(path), QByteArray("new\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestOutputFileWindows)
#include "tst_outputfile_win.moc"
