#include "findingscsv.h"
#include "operatorerror.h"

#include <QBuffer>
#include <QTest>

using namespace movement;

class TestFindingsCsv : public QObject
{
    Q_OBJECT

private slots:
    void quotedWhereNeeded()
    {
        const QList<CardFinding> findings{
            {u"D'ANNUNZIO; GABRIELE"_qs, u"101"_qs, u"07/12/2026"_qs, u"attuale"_qs, u"Sesso"_qs, u"\"f\""_qs,
             u"Il sesso «f»\r\nva come M."_qs},
            {u"=HYPERLINK(\"x\")"_qs, u"-1"_qs, u"@"_qs, u"archivio"_qs, u"Residenza"_qs, u"+39"_qs, u"Dvořák"_qs},
        };
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        writeFindingsCsv(findings, buffer);
        QCOMPARE(buffer.data(),
                 QByteArray("\xEF\xBB\xBFNome;Camera;Arrivo;Database;Campo;Valore;Problema\r\n"
                            "\"D'ANNUNZIO; GABRIELE\";101;07/12/2026;attuale;Sesso;\"\"\"f\"\"\";"
                            "\"Il sesso \xC2\xAB" "f\xC2\xBB\r\nva come M.\"\r\n"
                            "\"'=HYPERLINK(\"\"x\"\")\";'-1;'@;archivio;Residenza;'+39;Dvo\xC5\x99\xC3\xA1k\r\n"));
    }

    void pastedAsCells()
    {
        const QList<CardFinding> findings{
            {u"ROSSI\tMARIO"_qs, u"101"_qs, u"07/12/2026"_qs, u"attuale"_qs, u"Sesso"_qs, u"=1+1"_qs, u"a\r\nb"_qs}};
        QCOMPARE(findingsTabSeparated(findings),
                 u"Nome\tCamera\tArrivo\tDatabase\tCampo\tValore\tProblema\r\n"
                 "ROSSI MARIO\t101\t07/12/2026\tattuale\tSesso\t'=1+1\ta  b\r\n"_qs);
    }

    void refusedBytesAreReported()
    {
        QBuffer closed;
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, writeFindingsCsv({}, closed));
    }
};

QTEST_APPLESS_MAIN(TestFindingsCsv)
#include "tst_findingscsv.moc"
