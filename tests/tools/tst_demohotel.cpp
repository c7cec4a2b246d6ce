// The demo hotel that ./run prepares: its template gives, for any day the tool is started on,
// a yesterday with arrivals, departures and guests lodged, and codes for every place it names
// but one: yesterday's two doubtful cards are what the card check has to show.

#include "cardcheck.h"
#include "demohotel.h"
#include "hotelfixture.h"
#include "movementfile.h"

#include <QTest>

using namespace movement;

namespace {

// An element holding the nine spaces of a code not found.
const QByteArray kNotFound = '>' + QByteArray(9, ' ') + "</";

QByteArray demoTemplate()
{
    QFile file(qEnvironmentVariable("NAX_SOURCE_DIR") + QStringLiteral("/demo/hotel.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDemoHotel : public QObject
{
    Q_OBJECT

private slots:
    void daysCountFromToday()
    {
        const QByteArray tpl = R"({"databases": {"A.mdb": {"tables": [{"name": "T",
            "columns": [{"name": "D", "type": "text", "size": 8}, {"name": "N", "type": "long"}],
            "rows": [["@-1", "@-2#15"], ["@0", 7], ["@+3", "@x"]]}]}}})";
        const auto databases = demo::demoDatabases(tpl, QDate(2027, 1, 1));
        QCOMPARE(databases.size(), 1);
        QCOMPARE(databases[0].first, u"A.mdb"_qs);
        const QList<QVariantList> rows = databases[0].second.tables[0].rows;
        QCOMPARE(rows[0], (QVariantList{"20261231", qint64(26000015)}));
        QCOMPARE(rows[1], (QVariantList{"20270101", qint64(7)}));
        QCOMPARE(rows[2], (QVariantList{"20270104", "@x"}));

        for (const QByteArray &bad : {QByteArray("{"), QByteArray(R"({"databases": {}})"),
                                     QByteArray(R"({"databases": {"../A.mdb": {"tables": []}}})"),
                                     QByteArray(R"({"databases": {"A.mdb": {"tavole": []}}})")})
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, demo::demoDatabases(bad, QDate(2027, 1, 1)));
    }

    void yesterdayHasEverything_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::newRow("mid-year") << QDate(2026, 6, 15);
        QTest::newRow("new year") << QDate(2027, 1, 2);
    }
    void yesterdayHasEverything()
    {
        QFETCH(QDate, today);
        hotelfixture::Hotel hotel;
        demo::writeDemoHotel(demoTemplate(), QDir(hotel.dir.path()), today);
        MovementContext context = hotel.context(today);
        const QString yesterday = today.addDays(-1).toString(u"dd/MM/yyyy");
        const GeneratorArgs args{yesterday, yesterday, QString(), u"ZZZZZZ"_qs};

        QFile classic(createMovementFile(FileKind::Classic, context, args));
        QVERIFY(classic.open(QIODevice::ReadOnly));
        const QByteArray daily = classic.readAll();
        QCOMPARE(daily.count("<movimento>"), 1);
        QVERIFY2(daily.count("<arrivo>") >= 10, daily.constData());
        QVERIFY2(daily.count("<partenza>") >= 5, daily.constData());
        // Both databases: an archived card keeps the arrival year in its number.
        QVERIFY2(daily.contains("<idswh>" + QByteArray::number(today.addDays(-1).year() % 100) + "001435</idswh>"),
                 daily.constData());
        QVERIFY2(!daily.contains("<camereoccupate>0<"), daily.constData());
        // The one birthplace the code table lacks, on purpose.
        QCOMPARE(daily.count(kNotFound), 1);
        QVERIFY2(daily.contains("<datanascita></datanascita>"), daily.constData());
        QStringList doubtful;
        for (const CardFinding &finding : checkCards(FileKind::Classic, context, args))
            doubtful << finding.name + u' ' + finding.field;
        QCOMPARE(doubtful, (QStringList{u"MORETTI CHIARA LuogoNascita"_qs, u"PALUMBO NICOLA DataNascita"_qs}));

        QFile startUp(createMovementFile(FileKind::Schema, context, args));
        QVERIFY(startUp.open(QIODevice::ReadOnly));
        const QByteArray night = startUp.readAll();
        QVERIFY2(night.contains("<movimento type=\"MP\""), night.constData());
        for (const char *part : {"<tipologiaalloggiato>16<", "<tipologiaalloggiato>17<", "<tipologiaalloggiato>18<",
                                 "<componente>", "<paeseresidenza>", "<comuneresidenza>"})
            QVERIFY2(night.contains(part), part);
        QVERIFY2(!night.contains(kNotFound), "a code the demo's code tables lack");
    }
};

QTEST_GUILESS_MAIN(TestDemoHotel)
#include "tst_demohotel.moc"
