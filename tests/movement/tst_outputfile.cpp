#include "filebytes.h"
#include "movementerror.h"
#include "outputfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace movement;

class TestOutputFile : public QObject
{
    Q_OBJECT

private slots:
    void nameDropsTheLastFourCharacters()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QDate day(2026, 12, 7);
        QCOMPARE(outputFilePath(folder, u"DuzizUzazi.xml"_qs, day), dir.filePath(u"DuzizUzazi2026-12-07.xml"_qs));
        QCOMPARE(outputFilePath(folder, u"Movimenti.txt"_qs, day), dir.filePath(u"Movimenti2026-12-07.xml"_qs));
        QCOMPARE(outputFilePath(folder, u"abcd"_qs, day), dir.filePath(u"2026-12-07.xml"_qs));
        folder.mkdir(u"Dati"_qs);
        QCOMPARE(outputFilePath(folder, dir.filePath(u"Dati/M.xml"_qs), day), dir.filePath(u"Dati/M2026-12-07.xml"_qs));
    }

    void badPathsAreNamed()
    {
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QDate day(2026, 12, 7);
        try {
            outputFilePath(folder, u"a.x"_qs, day);
            QFAIL("a path of three characters was accepted");
        } catch (const MovementError &e) {
            QVERIFY2(e.message().contains(u"«a.x»"), qPrintable(e.message()));
        }
        try {
            outputFilePath(folder, u"Manca/DuzizUzazi.xml"_qs, day);
            QFAIL("a missing folder was accepted");
        } catch (const MovementError &e) {
            QVERIFY2(e.message().contains(u"Manca"), qPrintable(e.message()));
        }
    }

    void saveWritesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"out.xml"_qs);
        writeBytes(path, "old");
        saveAtomically(path, [](QIODevice &out) { out.write("new\r\n"); });
        QCOMPARE(readBytes(path), QByteArray("new\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"out.xml"_qs});
    }

    void failedSaveLeavesNothingBehind()
    {
        QTemporaryDir dir;
        const QString earlier = dir.filePath(u"earlier.xml"_qs);
        writeBytes(earlier, "earlier file");
        QVERIFY_THROWS_EXCEPTION(MovementError, saveAtomically(earlier, [](QIODevice &out) {
            out.write("half a file");
            throw MovementError(u"stop"_qs);
        }));
        QCOMPARE(readBytes(earlier), QByteArray("earlier file"));

        const QString fresh = dir.filePath(u"fresh.xml"_qs);
        QVERIFY_THROWS_EXCEPTION(MovementError, saveAtomically(fresh, [](QIODevice &out) {
            out.write("half a file");
            throw MovementError(u"stop"_qs);
        }));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"earlier.xml"_qs});
    }

    void unwritableTargetIsNamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"missing/out.xml"_qs);
        bool called = false;
        try {
            saveAtomically(path, [&](QIODevice &) { called = true; });
            QFAIL("a file in a missing folder was saved");
        } catch (const MovementError &e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        }
        QVERIFY(!called);
    }
};

QTEST_APPLESS_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
