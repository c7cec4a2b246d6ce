#include "inputboxlayout.h"

#include <QTest>

using namespace dialogs;

namespace {
// 1280 x 720 pixels at 96 DPI.
const QRect Schermo(0, 0, 19200, 10800);
} // namespace

class TestInputBoxLayout : public QObject
{
    Q_OBJECT

private slots:
    void righeEColonne_data();
    void righeEColonne();
    void promptDiQuattroRighe();
    void promptDiUnaRiga();
    void rigaLunga();
    void centrato();
    void promptOltreLoSchermo();
};

void TestInputBoxLayout::righeEColonne_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("colonne");
    const QString x80(80, u'x'), x81(81, u'x');
    QTest::newRow("vuoto") << QString() << 1 << 80;
    QTest::newRow("20 caratteri") << QString(20, u'x') << 1 << 80;
    QTest::newRow("80 caratteri") << x80 << 1 << 80;
    QTest::newRow("81 caratteri") << x81 << 1 << 81;
    QTest::newRow("riga lunga in testa") << x81 + QStringLiteral("\r\nb") << 2 << 81;
    // After CR LF the line feed belongs to the next line.
    QTest::newRow("riga lunga in coda") << QStringLiteral("a\r\n") + x81 << 2 << 82;
    QTest::newRow("riga vuota") << QStringLiteral("a\r\nb\r\n\r\nc") << 4 << 80;
}

void TestInputBoxLayout::righeEColonne()
{
    QFETCH(QString, testo);
    QFETCH(int, righe);
    QFETCH(int, colonne);
    QCOMPARE(inputbox::CalcolaRighe(testo), righe);
    QCOMPARE(inputbox::CalcolaColonne(testo), colonne);
}

void TestInputBoxLayout::promptDiQuattroRighe()
{
    const QString prompt = QStringLiteral("Inserire il percorso completo del\r\n"
                                          "nome del file da generare\r\n\r\n"
                                          "es. C:\\DuzizUzazi.xml");
    const InputBoxLayout l = inputbox::CalcolaLayout(prompt, Schermo);
    QCOMPARE(l.righe, 4);
    QCOMPARE(l.colonne, 80);
    QCOMPARE(l.finestra.size(), QSize(7200, 3165));
    QCOMPARE(l.titolo, QRect(0, 0, 7200, 375));
    QCOMPARE(l.prompt, QRect(120, 600, 7020, 1200));
    QCOMPARE(l.campo, QRect(120, 2000, 7020, 375));
    QCOMPARE(l.pulsanti[0], QRect(5050, 2475, 975, 615));
    QCOMPARE(l.pulsanti[1], QRect(6095, 2475, 975, 615));
}

void TestInputBoxLayout::promptDiUnaRiga()
{
    const InputBoxLayout l = inputbox::CalcolaLayout(QString(20, u'x'), Schermo);
    QCOMPARE(l.finestra.size(), QSize(7200, 2265));
    QCOMPARE(l.prompt.height(), 300);
    QCOMPARE(l.campo.top(), 1100);
    QCOMPARE(l.pulsanti[0].top(), 1575);
    QCOMPARE(l.pulsanti[1].top(), 1575);
}

void TestInputBoxLayout::rigaLunga()
{
    const InputBoxLayout l = inputbox::CalcolaLayout(QString(100, u'x'), Schermo);
    QCOMPARE(l.finestra.width(), 9000);
    QCOMPARE(l.campo.width(), 8820);
    QCOMPARE(l.pulsanti[0].left(), 6850);
    // "Annulla" keeps 130 from the right edge.
    QCOMPARE(l.pulsanti[1].left() + l.pulsanti[1].width(), 9000 - 130);
}

void TestInputBoxLayout::centrato()
{
    QCOMPARE(inputbox::CalcolaLayout(QString(20, u'x'), Schermo).finestra.topLeft(),
             QPoint((19200 - 7200) / 2, (10800 - 2265) / 2));
    QCOMPARE(inputbox::CalcolaLayout(QString(100, u'x'), QRect(1000, 600, 19200, 10200)).finestra.topLeft(),
             QPoint(1000 + 5100, 600 + (10200 - 2265) / 2));
}

void TestInputBoxLayout::promptOltreLoSchermo()
{
    // Far beyond the 16-bit sizing of the original form: 400 columns and 121 rows.
    QString prompt = QString(400, u'x');
    for (int i = 0; i < 120; ++i)
        prompt += QStringLiteral("\r\nriga");
    const InputBoxLayout l = inputbox::CalcolaLayout(prompt, Schermo);
    QCOMPARE(l.righe, 121);
    QCOMPARE(l.colonne, 400);
    QCOMPARE(l.finestra, Schermo);
    QCOMPARE(l.prompt, QRect(120, 600, 19020, 10800 - 1965));
    QCOMPARE(l.campo.top(), 600 + 10800 - 1965 + 200);
    QCOMPARE(l.pulsanti[1].top() + l.pulsanti[1].height(), 10800 - 75);
    QCOMPARE(l.pulsanti[1].left() + l.pulsanti[1].width(), 19200 - 130);

    // A tiny screen keeps the size of a one-line prompt.
    QCOMPARE(inputbox::CalcolaLayout(prompt, QRect(0, 0, 3000, 1500)).finestra, QRect(0, 0, 7200, 2265));
}

QTEST_APPLESS_MAIN(TestInputBoxLayout)
#include "tst_inputboxlayout.moc"
