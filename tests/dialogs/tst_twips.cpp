#include "twips.h"

#include <QTest>

using namespace dialogs;

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void conversione_data();
    void conversione();
    void rettangoli();
};

void TestTwips::conversione_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("pixel");
    QTest::newRow("un pollice a 96") << 1440 << 96.0 << 96;
    QTest::newRow("un pixel a 96") << 15 << 96.0 << 1;
    QTest::newRow("finestra a 96") << 4590 << 96.0 << 306;
    QTest::newRow("arrotonda in su") << 1285 << 96.0 << 86;
    QTest::newRow("arrotonda in giu") << 1807 << 96.0 << 120;
    QTest::newRow("un pollice a 144") << 1440 << 144.0 << 144;
    QTest::newRow("finestra a 120") << 4590 << 120.0 << 383;
    QTest::newRow("a sinistra dello schermo principale") << -28800 << 96.0 << -1920;
}

void TestTwips::conversione()
{
    QFETCH(int, twips);
    QFETCH(qreal, dpi);
    QFETCH(int, pixel);
    QCOMPARE(twipsToPixels(twips, dpi), pixel);
    // Back to twips within half a pixel.
    QVERIFY(qAbs(pixelsToTwips(pixel, dpi) - twips) <= 1440 / dpi / 2);
}

void TestTwips::rettangoli()
{
    QCOMPARE(twipsToPixels(QRect(1285, 1180, 975, 615), 96.0), QRect(86, 79, 65, 41));
    QCOMPARE(twipsToPixels(QSize(7200, 3165), 96.0), QSize(480, 211));
    QCOMPARE(pixelsToTwips(QRect(0, 40, 1280, 680), 96.0), QRect(0, 600, 19200, 10200));
}

QTEST_APPLESS_MAIN(TestTwips)
#include "tst_twips.moc"
