#include "filebytes.h"
#include "operatorerror.h"
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
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(u"«a.x»"), qPrintable(e.message()));
        }
        try {
            outputFilePath(folder, u"Manca/DuzizUzazi.xml"_qs, day);
            QFAIL("a missing folder was accepted");
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(u"Manca"), qPrintable(e.message()));
        }
    }
};

QTEST_APPLESS_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
