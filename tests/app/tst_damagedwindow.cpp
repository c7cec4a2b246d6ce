// "Crea File" through the real window, headless, when one of the hotel's databases is damaged:
// the tool's own "Errore" box names the file, the window stays open, nothing is written and the
// browser is not started.

#include "damagedcopies.h"
#include "timelimit.h"
#include "hotelfixture.h"
#include "naxwindow.h"

using namespace naxwindow;

namespace {

const QDate kDay(2026, 12, 8); // the window opens with 07/12/2026 in both date fields
const QString kOutput = u"DuzizUzazi2026-12-07.xml"_qs;
const QByteArray kEarlier = "<movimenti>the file of an earlier run</movimenti>\r\n";

void writeDatabases(const Hotel &folder)
{
    hotelfixture::Hotel data;
    data.rooms = {{1, "101", "DOP", 2}, {1, "102", "SIN", 1}};
    hotelfixture::Card guest = hotelfixture::present("101", 15, "20261206", "20261209");
    guest.CapoFamiglia = u"U"_qs;
    data.current << guest;
    data.writeInto(QDir(folder.dir.path()));
}

} // namespace

class TestDamagedWindow : public QObject
{
    Q_OBJECT

private slots:
    void damagedDatabaseIsReported_data();
    void damagedDatabaseIsReported();
};

void TestDamagedWindow::damagedDatabaseIsReported_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("says");
    QTest::newRow("password") << u"Scheda_Cliente.mdb"_qs << u"protetto da password"_qs
                              << u"Il database Scheda_Cliente.mdb è protetto da password o cifrato"_qs;
    QTest::newRow("cut short") << u"NumeriCamere.mdb"_qs << u"tagliato prima della pagina 5"_qs
                               << u"Il database NumeriCamere.mdb è danneggiato"_qs;
    QTest::newRow("pointer outside") << u"SchedaStoricoClienti.mdb"_qs << u"mappa della tabella fuori dal file"_qs
                                     << u"Il database SchedaStoricoClienti.mdb è danneggiato"_qs;
}

void TestDamagedWindow::damagedDatabaseIsReported()
{
    QFETCH(QString, database);
    QFETCH(QString, damage);
    QFETCH(QString, says);
    Hotel hotel;
    hotel.settings();
    hotel.endStartUp();
    writeDatabases(hotel);
    const QList<damagedcopies::Copy> copies = damagedcopies::structuralDamage(hotel.read(database));
    const auto copy = std::find_if(copies.begin(), copies.end(), [&](const auto &c) { return c.label == damage; });
    QVERIFY(copy != copies.end());
    hotel.write(database, copy->bytes);
    hotel.write(kOutput, kEarlier);

    auto window = openWindow(hotel, kDay);
    QVERIFY(makeActive(window.get()));
    Box box;
    {
        const timelimit::TimeLimit limit(QString::fromUtf8(QTest::currentDataTag()));
        pressCreaFile(window.get(), box);
    }

    QCOMPARE(box.title, u"Errore"_qs);
    QVERIFY2(box.text.contains(says), qPrintable(box.text));
    QVERIFY(window->isVisible());
    QCOMPARE(hotel.xmlFiles(), QStringList{kOutput});
    QCOMPARE(hotel.read(kOutput), kEarlier);
    QCOMPARE(hotel.browser.opened, QStringList());
}

QTEST_MAIN(TestDamagedWindow)
#include "tst_damagedwindow.moc"
