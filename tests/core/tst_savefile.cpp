// Files saved whole or not at all.

#include "filebytes.h"
#include "operatorerror.h"
#include "savefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace core;

class TestSaveFile : public QObject
{
    Q_OBJECT

private slots:
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
        QVERIFY_THROWS_EXCEPTION(OperatorError, saveAtomically(earlier, [](QIODevice &out) {
            out.write("half a file");
            throw OperatorError(u"stop"_qs);
        }));
        QCOMPARE(readBytes(earlier), QByteArray("earlier file"));

        const QString fresh = dir.filePath(u"fresh.xml"_qs);
        QVERIFY_THROWS_EXCEPTION(OperatorError, saveAtomically(fresh, [](QIODevice &out) {
            out.write("half a file");
            throw OperatorError(u"stop"_qs);
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
        } catch (const OperatorError &e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        }
        QVERIFY(!called);
    }
};

QTEST_APPLESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
