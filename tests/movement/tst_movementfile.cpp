#include "movementerror.h"
#include "movementfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace movement;

class TestMovementFile : public QObject
{
    Q_OBJECT

private:
    static MovementContext context(const QTemporaryDir &dir)
    {
        MovementContext c;
        c.folder = QDir(dir.path());
        c.PercorsoFile = u"DuzizUzazi.xml"_qs;
        c.CodiceStruttura = u"ABC123"_qs;
        c.selector = u"-"_qs;
        return c;
    }

    static QStringList files(const QTemporaryDir &dir)
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void closedFileIsSavedInTheWorkingFolder()
    {
        QTemporaryDir dir;
        const QString path = createMovementFile(FileKind::Closed, context(dir),
                                                {u"30/12/2026"_qs, u"02/01/2027"_qs, {}, u"ZZZZZZ"_qs});
        QCOMPARE(path, dir.filePath(u"DuzizUzazi2026-12-30.xml"_qs));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<movimenti>\r\n  <codice>ABC123</codice>\r\n"));
        QCOMPARE(bytes.count("<movimento>"), 4);
        QVERIFY(bytes.endsWith("   </movimento>\r\n</movimenti>\r\n"));
    }

    void failureKeepsTheEarlierFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"DuzizUzazi2026-12-30.xml"_qs);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("earlier");
        }
        MovementContext c = context(dir);
        c.selector = u"12"_qs;
        QVERIFY_THROWS_EXCEPTION(MovementError, createMovementFile(FileKind::Closed, c,
                                                                   {u"30/12/2026"_qs, u"02/01/2027"_qs, {}, {}}));
        QVERIFY_THROWS_EXCEPTION(MovementError, createMovementFile(FileKind::Closed, context(dir),
                                                                   {u"30/12/2026"_qs, u"2/1/2027"_qs, {}, {}}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier"));
        QCOMPARE(files(dir), QStringList{u"DuzizUzazi2026-12-30.xml"_qs});
    }

    void kindsNotYetAvailableWriteNothing()
    {
        QTemporaryDir dir;
        for (FileKind kind : {FileKind::Classic, FileKind::Schema}) {
            try {
                createMovementFile(kind, context(dir), {u"30/12/2026"_qs, u"02/01/2027"_qs, {}, {}});
                QFAIL("a file kind not available yet reported success");
            } catch (const MovementError &e) {
                QVERIFY2(e.message().contains(u"non è ancora disponibile"), qPrintable(e.message()));
            }
        }
        QCOMPARE(files(dir), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestMovementFile)
#include "tst_movementfile.moc"
