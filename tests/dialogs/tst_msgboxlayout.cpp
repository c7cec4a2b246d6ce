#include "msgboxlayout.h"

#include <QTest>

using namespace dialogs;

namespace {
// 1280 x 720 pixels at 96 DPI.
const QRect Schermo(0, 0, 19200, 10800);
const QString UnaRiga = QStringLiteral("Fase di Start up eseguita?");
} // namespace

class TestMsgBoxLayout : public QObject
{
    Q_OBJECT

private slots:
    void righe_data();
    void righe();
    void colonne_data();
    void colonne();
    void domandaDiAvvio();
    void treQuattroPulsanti();
    void stili_data();
    void stili();
    void crescitaColTesto();
    void posizione();
    void testoOltreLoSchermo();
    void schermoPiccolo();
};

void TestMsgBoxLayout::righe_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("righe");
    QTest::newRow("vuoto") << QString() << 2;
    QTest::newRow("una riga") << UnaRiga << 2;
    QTest::newRow("due righe") << QStringLiteral("a\r\nb") << 3;
    QTest::newRow("riga vuota in mezzo") << QStringLiteral("a\r\n\r\nb") << 4;
    QTest::newRow("solo line feed") << QStringLiteral("a\nb") << 2;
}

void TestMsgBoxLayout::righe()
{
    QFETCH(QString, testo);
    QFETCH(int, righe);
    QCOMPARE(msgbox::CalcolaRighe(testo), righe);
}

void TestMsgBoxLayout::colonne_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("colonne");
    const QString x50(50, u'x'), x51(51, u'x'), x60(60, u'x');
    QTest::newRow("vuoto") << QString() << 51;
    QTest::newRow("riga corta") << UnaRiga << 51;
    QTest::newRow("50 caratteri") << x50 << 51;
    QTest::newRow("51 caratteri") << x51 << 52;
    QTest::newRow("60 caratteri") << x60 << 61;
    QTest::newRow("prima riga lunga") << x60 + QStringLiteral("\r\nbreve") << 61;
    // After CR LF the line feed belongs to the next line.
    QTest::newRow("ultima riga lunga") << QStringLiteral("breve\r\n") + x60 << 62;
    QTest::newRow("line feed senza ritorno") << x50 + u'\n' + x50 << 102;
}

void TestMsgBoxLayout::colonne()
{
    QFETCH(QString, testo);
    QFETCH(int, colonne);
    QCOMPARE(msgbox::CalcolaColonne(testo), colonne);
}

void TestMsgBoxLayout::domandaDiAvvio()
{
    const MsgBoxLayout l = msgbox::CalcolaLayout(UnaRiga, 292, Schermo);
    QCOMPARE(l.righe, 2);
    QCOMPARE(l.colonne, 51);
    QCOMPARE(l.finestra.size(), QSize(4590, 1890));
    QCOMPARE(l.titolo, QRect(0, 0, 4590, 375));
    QCOMPARE(l.messaggio, QRect(120, 480, 4410, 600));
    QCOMPARE(l.pulsanti[0].geometria, QRect(1285, 1180, 975, 615));
    QCOMPARE(l.pulsanti[1].geometria, QRect(2330, 1180, 975, 615));
    QCOMPARE(l.pulsanti[0].didascalia, QStringLiteral("Si"));
    QCOMPARE(l.pulsanti[1].didascalia, QStringLiteral("No"));
    QVERIFY(!l.pulsanti[2].visibile);
    QCOMPARE(l.focus, 1);
}

void TestMsgBoxLayout::treQuattroPulsanti()
{
    const MsgBoxLayout l = msgbox::CalcolaLayout(UnaRiga, 35, Schermo);
    QCOMPARE(l.finestra.width(), 4590);
    QCOMPARE(l.pulsanti[0].geometria.left(), 762);
    QCOMPARE(l.pulsanti[1].geometria.left(), 1807);
    QCOMPARE(l.pulsanti[2].geometria.left(), 2852);
    for (const PulsanteMessaggio &p : l.pulsanti)
        QCOMPARE(p.geometria.top(), 1180);

    const MsgBoxLayout ok = msgbox::CalcolaLayout(UnaRiga, 0, Schermo);
    QCOMPARE(ok.pulsanti[0].geometria.left(), 1807);
}

void TestMsgBoxLayout::stili_data()
{
    QTest::addColumn<int>("stile");
    QTest::addColumn<QStringList>("didascalie");
    QTest::addColumn<QList<int>>("risposte");
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("chiusura");
    const QStringList ok{"Ok"}, siNo{"Si", "No"}, siNoAnnulla{"Si", "No", "Annulla"};
    QTest::newRow("0") << 0 << ok << QList<int>{0} << 0 << 0;
    QTest::newRow("48") << 48 << ok << QList<int>{0} << 0 << 0;
    QTest::newRow("4") << 4 << siNo << QList<int>{6, 7} << 0 << 7;
    QTest::newRow("36") << 36 << siNo << QList<int>{6, 7} << 0 << 7;
    QTest::newRow("35") << 35 << siNoAnnulla << QList<int>{6, 7, 2} << 0 << 2;
    QTest::newRow("51") << 51 << siNoAnnulla << QList<int>{6, 7, 2} << 0 << 2;
    QTest::newRow("200") << 200 << siNo << QList<int>{6, 7} << 1 << 7;
    QTest::newRow("260") << 260 << siNo << QList<int>{6, 7} << 1 << 7;
    QTest::newRow("292") << 292 << siNo << QList<int>{6, 7} << 1 << 7;
    QTest::newRow("308") << 308 << siNo << QList<int>{6, 7} << 1 << 7;
    QTest::newRow("400") << 400 << siNo << QList<int>{6, 7} << 1 << 7;
    // Codes outside the table still give a box that can be closed.
    QTest::newRow("199") << 199 << ok << QList<int>{0} << 0 << 0;
    QTest::newRow("401") << 401 << ok << QList<int>{0} << 0 << 0;
    QTest::newRow("3") << 3 << ok << QList<int>{0} << 0 << 0;
    QTest::newRow("-1") << -1 << ok << QList<int>{0} << 0 << 0;
}

void TestMsgBoxLayout::stili()
{
    QFETCH(int, stile);
    QFETCH(QStringList, didascalie);
    QFETCH(QList<int>, risposte);
    QFETCH(int, focus);
    QFETCH(int, chiusura);

    const MsgBoxLayout l = msgbox::CalcolaLayout(UnaRiga, stile, Schermo);
    QStringList visibili;
    QList<int> date;
    for (const PulsanteMessaggio &p : l.pulsanti) {
        if (p.visibile) {
            visibili << p.didascalia;
            date << p.risposta;
        }
    }
    QCOMPARE(visibili, didascalie);
    QCOMPARE(date, risposte);
    QCOMPARE(l.focus, focus);
    QVERIFY(l.pulsanti[l.focus].visibile);
    QCOMPARE(l.rispostaChiusura, chiusura);
}

void TestMsgBoxLayout::crescitaColTesto()
{
    const MsgBoxLayout vuoto = msgbox::CalcolaLayout(QString(), 0, Schermo);
    QCOMPARE(vuoto.finestra.size(), QSize(4590, 1890));
    QCOMPARE(vuoto.messaggio.height(), 600);

    const MsgBoxLayout largo = msgbox::CalcolaLayout(QString(60, u'x'), 4, Schermo);
    QCOMPARE(largo.colonne, 61);
    QCOMPARE(largo.finestra.width(), 5490);
    QCOMPARE(largo.messaggio.width(), 5310);
    QCOMPARE(largo.pulsanti[0].geometria.left(), (5490 - 2020) / 2);

    // Three lines: rows 4.
    const MsgBoxLayout alto = msgbox::CalcolaLayout(QStringLiteral("uno\r\ndue\r\ntre"), 4, Schermo);
    QCOMPARE(alto.messaggio, QRect(120, 480, 4410, 1200));
    QCOMPARE(alto.finestra.height(), 2490);
    QCOMPARE(alto.pulsanti[0].geometria.top(), 1780);
}

void TestMsgBoxLayout::posizione()
{
    // The top-left corner is where the designed 4695 x 3135 window is centred.
    const QPoint origine((19200 - 4695) / 2, (10800 - 3135) / 2);
    QCOMPARE(msgbox::CalcolaLayout(UnaRiga, 292, Schermo).finestra.topLeft(), origine);
    const MsgBoxLayout largo = msgbox::CalcolaLayout(QString(100, u'x'), 292, Schermo);
    QCOMPARE(largo.finestra.topLeft(), origine);

    // The available area may start below a task bar or on a second monitor.
    const QRect spostato(-19200, 600, 19200, 10200);
    QCOMPARE(msgbox::CalcolaLayout(UnaRiga, 292, spostato).finestra.topLeft(),
             QPoint(-19200 + 7252, 600 + 3532));

    // A box that would run past the screen's edge moves back onto it.
    const MsgBoxLayout oltre = msgbox::CalcolaLayout(QString(150, u'x'), 292, Schermo);
    QCOMPARE(oltre.finestra, QRect(19200 - 13590, origine.y(), 13590, 1890));
}

void TestMsgBoxLayout::testoOltreLoSchermo()
{
    // Far beyond the 16-bit sizing of the original form: 1000 columns and 201 rows.
    QString testo = QString(1000, u'x');
    for (int i = 0; i < 200; ++i)
        testo += QStringLiteral("\r\nriga");
    const MsgBoxLayout l = msgbox::CalcolaLayout(testo, 35, Schermo);
    QCOMPARE(l.righe, 202);
    QCOMPARE(l.colonne, 1001);
    QCOMPARE(l.finestra, Schermo);
    QCOMPARE(l.messaggio, QRect(120, 480, 19020, 10800 - 1290));
    const QRect &annulla = l.pulsanti[2].geometria;
    QVERIFY(annulla.right() < Schermo.width());
    QCOMPARE(annulla.top() + annulla.height(), Schermo.height() - 95);
    QCOMPARE(l.pulsanti[0].geometria.left(), (19200 - 3065) / 2);
}

void TestMsgBoxLayout::schermoPiccolo()
{
    // The box never shrinks below the size of an empty message, so its buttons stay apart.
    const MsgBoxLayout l = msgbox::CalcolaLayout(QString(100, u'x'), 35, QRect(0, 0, 3000, 1500));
    QCOMPARE(l.finestra, QRect(0, 0, 4590, 1890));
    QCOMPARE(l.pulsanti[2].geometria.left(), 2852);
}

QTEST_APPLESS_MAIN(TestMsgBoxLayout)
#include "tst_msgboxlayout.moc"
