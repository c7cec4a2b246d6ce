// The benchmark's hotel, on a small scale: complete, the same every time, realistic enough for
// its figures to mean something; and its runs, cached or decoding at every opening, writing the
// same bytes.

#include "benchmarkhotel.h"
#include "jetreader.h"
#include "jetwriter.h"
#include "measurement.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace benchmark;

class TestBenchmarkHotel : public QObject
{
    Q_OBJECT

private:
    static HotelSize small() { return {20, 3000, 100, 200, 30, 2}; }
    static std::shared_ptr<const hoteldb::TableData> cards(const QDir &folder, const QString &file)
    {
        return hoteldb::JetReader(folder.filePath(file)).readTable(u"Scheda_Cliente"_qs);
    }

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        writeBenchmarkHotel(small(), QDir(m_dir.path()));
    }

    void sameSizeGivesTheSameBytes()
    {
        const auto first = benchmarkDatabases(small());
        const auto second = benchmarkDatabases(small());
        QCOMPARE(first.size(), 6);
        QHash<QString, qsizetype> rows;
        for (qsizetype i = 0; i < first.size(); ++i) {
            QCOMPARE(first[i].first, second[i].first);
            QCOMPARE(jetwriter::writeDatabase(first[i].second), jetwriter::writeDatabase(second[i].second));
            rows.insert(first[i].first, first[i].second.tables.first().rows.size());
        }
        QCOMPARE(rows.value(u"SchedaStoricoClienti.mdb"_qs), 3000);
        QCOMPARE(rows.value(u"Scheda_Cliente.mdb"_qs), 100);
        QCOMPARE(rows.value(u"NumeriCamere.mdb"_qs), 20);
        QCOMPARE(rows.value(u"TipiCamere.mdb"_qs), 2);
        QCOMPARE(rows.value(u"Comuni.mdb"_qs), 230);
        QCOMPARE(rows.value(u"DAVozIzi.mdb"_qs), 30);
    }

    void archivedStaysKeepTheHotelsConventions()
    {
        const auto table = cards(QDir(m_dir.path()), u"SchedaStoricoClienti.mdb"_qs);
        const auto col = [&](const char *name) { return table->columnIndex(QString::fromLatin1(name)); };
        const QString firstDay = referenceDay().addYears(-2).toString(u"yyyyMMdd");
        const QString lastDay = referenceDay().addDays(-15).toString(u"yyyyMMdd");
        QHash<QString, qint64> heads; // arrival day and unshifted number of every family or group head
        int families = 0, groups = 0, foreign = 0;
        for (qsizetype row = 0; row < table->rowCount(); ++row) {
            const QString arrival = table->textAt(row, col("DataArrivo")).toString();
            QVERIFY(arrival >= firstDay && arrival <= lastDay);
            QVERIFY(table->textAt(row, col("DataPartenzaReale")) > arrival);
            QCOMPARE(table->textAt(row, col("Partito")), u"S");
            const qint64 number = table->integerAt(row, col("NumeroProgressivo"));
            QCOMPARE(number / 1000000, arrival.mid(2, 2).toLongLong());
            if (table->textAt(row, col("CapoFamiglia")) == u"S" || table->textAt(row, col("CapoGruppo")) == u"S")
                heads.insert(arrival + u'#' + QString::number(number % 1000000), number);
            for (const char *field : {"CodiceCapoFamiglia", "CodiceCapoGruppo"}) {
                const qint64 head = table->integerAt(row, col(field));
                if (head > 0)
                    QVERIFY2(heads.contains(arrival + u'#' + QString::number(head)), field);
            }
            families += table->integerAt(row, col("CodiceCapoFamiglia")) > 0;
            groups += table->integerAt(row, col("CodiceCapoGruppo")) > 0;
            foreign += table->textAt(row, col("Stato")) != u"I";
        }
        // Shares of a seaside hotel: many families, some groups, about a third foreigners.
        QVERIFY2(families > 300 && groups > 150 && foreign > 600 && foreign < 1400,
                 qPrintable(u"%1 %2 %3"_qs.arg(families).arg(groups).arg(foreign)));
    }

    void currentCardsAreAroundTheReferenceDay()
    {
        const auto table = cards(QDir(m_dir.path()), u"Scheda_Cliente.mdb"_qs);
        const QString today = referenceDay().toString(u"yyyyMMdd");
        int present = 0;
        for (qsizetype row = 0; row < table->rowCount(); ++row) {
            QVERIFY(table->textAt(row, table->columnIndex(u"DataArrivo")) <= today);
            const bool left = table->textAt(row, table->columnIndex(u"Partito")) == u"S";
            QCOMPARE(table->textAt(row, table->columnIndex(u"DataPartenzaReale")).isEmpty(), !left);
            present += !left;
        }
        QVERIFY(present > 10 && present < 100);
    }

    void cachedRunsWriteWhatTheLiteralRunWrites()
    {
        QTemporaryDir out;
        const QDir hotel(m_dir.path());
        for (const char *id : {"classic3", "literal3", "schema1", "closed366"}) {
            runOnce(QLatin1String(id), hotel, QDir(out.path()));
            QVERIFY2(QFile::exists(outputPath(QLatin1String(id), QDir(out.path()))), id);
        }
        QFile cached(outputPath(u"classic3"_qs, QDir(out.path())));
        QFile literal(outputPath(u"literal3"_qs, QDir(out.path())));
        QVERIFY(cached.open(QIODevice::ReadOnly) && literal.open(QIODevice::ReadOnly));
        const QByteArray bytes = cached.readAll();
        QCOMPARE(bytes.count("<movimento>"), 3);
        QVERIFY(bytes.count("<arrivo>") > 10);
        QCOMPARE(literal.readAll(), bytes);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, runOnce(u"classic2"_qs, hotel, QDir(out.path())));
    }
};

QTEST_GUILESS_MAIN(TestBenchmarkHotel)
#include "tst_benchmarkhotel.moc"
