#include "msgboxform.h"
#include "msgboxroutine.h"
#include "twips.h"

#include "modalbox.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

using namespace dialogs;

namespace {

const QString Domanda = QStringLiteral("Fase di Start up eseguita?");
const QString Titolo = QStringLiteral("Invio dati");

QStringList pulsantiVisibili(const QWidget *box)
{
    QStringList didascalie;
    for (int i = 0; i < 3; ++i) {
        if (pulsante(box, i)->isVisible())
            didascalie << pulsante(box, i)->text();
    }
    return didascalie;
}

} // namespace

class TestMsgBoxForm : public QObject
{
    Q_OBJECT

private slots:
    void risposteDeiPulsanti_data();
    void risposteDeiPulsanti();
    void focusIniziale_data();
    void focusIniziale();
    void focusVisibile();
    void tasti_data();
    void tasti();
    void chiusuraDallaFinestra();
    void geometria();
    void testoComeScritto();
    void dueChiamateInFila();
};

void TestMsgBoxForm::risposteDeiPulsanti_data()
{
    QTest::addColumn<int>("stile");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QStringList>("visibili");
    QTest::addColumn<int>("risposta");
    const QStringList ok{"Ok"}, siNo{"Si", "No"}, siNoAnnulla{"Si", "No", "Annulla"};
    QTest::newRow("Ok") << 0 << 0 << ok << 0;
    QTest::newRow("Si") << 4 << 0 << siNo << 6;
    QTest::newRow("No di 292") << 292 << 1 << siNo << 7;
    QTest::newRow("Annulla") << 35 << 2 << siNoAnnulla << 2;
    QTest::newRow("stile sconosciuto") << 1000 << 0 << ok << 0;
}

void TestMsgBoxForm::risposteDeiPulsanti()
{
    QFETCH(int, stile);
    QFETCH(int, indice);
    QFETCH(QStringList, visibili);
    QFETCH(int, risposta);

    MsgBox_Form box(Domanda, stile, Titolo);
    QVERIFY(mostraAttivo(box));
    QCOMPARE(pulsantiVisibili(&box), visibili);
    QTest::mouseClick(pulsante(&box, indice), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.risposta(), risposta);
}

void TestMsgBoxForm::focusIniziale_data()
{
    QTest::addColumn<int>("stile");
    QTest::addColumn<int>("focus");
    QTest::newRow("Ok") << 0 << 0;
    QTest::newRow("4") << 4 << 0;
    QTest::newRow("35") << 35 << 0;
    QTest::newRow("292") << 292 << 1;
}

void TestMsgBoxForm::focusIniziale()
{
    QFETCH(int, stile);
    QFETCH(int, focus);
    MsgBox_Form box(Domanda, stile, Titolo);
    QVERIFY(mostraAttivo(box));
    QCOMPARE(QApplication::focusWidget(), pulsante(&box, focus));
    // The message area is not a tab stop: Tab goes from button to button.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(qobject_cast<QPushButton *>(QApplication::focusWidget()));
    QVERIFY(!box.findChild<QTextEdit *>()->hasFocus());
}

void TestMsgBoxForm::focusVisibile()
{
    // Enter presses the focused button, so the box must show which one it is from the start,
    // before any key has moved the focus.
    MsgBox_Form box(Domanda, 292, Titolo);
    QVERIFY(mostraAttivo(box));
    const QImage noConFocus = pulsante(&box, 1)->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(!pulsante(&box, 1)->hasFocus());
    QVERIFY(pulsante(&box, 1)->grab().toImage() != noConFocus);
}

void TestMsgBoxForm::tasti_data()
{
    QTest::addColumn<int>("stile");
    QTest::addColumn<QList<int>>("tasti");
    QTest::addColumn<int>("risposta");
    const QList<int> esc{Qt::Key_Escape}, invio{Qt::Key_Return};
    QTest::newRow("Escape su Ok") << 0 << esc << 0;
    QTest::newRow("Escape su 292") << 292 << esc << 7;
    QTest::newRow("Escape su Si/No/Annulla") << 35 << esc << 2;
    QTest::newRow("Invio su No") << 292 << invio << 7;
    QTest::newRow("Tab e Invio") << 4 << QList<int>{Qt::Key_Tab, Qt::Key_Return} << 7;
    QTest::newRow("Spazio su Si") << 35 << QList<int>{Qt::Key_Space} << 6;
    QTest::newRow("Tab Tab Invio") << 35 << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Enter} << 2;
}

void TestMsgBoxForm::tasti()
{
    QFETCH(int, stile);
    QFETCH(QList<int>, tasti);
    QFETCH(int, risposta);

    MsgBox_Form box(Domanda, stile, Titolo);
    QVERIFY(mostraAttivo(box));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier); // answers nothing
    for (int tasto : tasti) {
        QVERIFY(box.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(tasto));
    }
    QVERIFY(!box.isVisible());
    QCOMPARE(box.risposta(), risposta);
}

void TestMsgBoxForm::chiusuraDallaFinestra()
{
    // A close request must not hand back a previous box's answer.
    quandoAperto([](QDialog *box) { QTest::mouseClick(pulsante(box, 0), Qt::LeftButton); });
    QCOMPARE(MsgBox_Routine::MostraMessaggio(Domanda, 4, Titolo), 6);
    quandoAperto([](QDialog *box) { box->close(); });
    QCOMPARE(MsgBox_Routine::MostraMessaggio(Domanda, 292, Titolo), 7);
    quandoAperto([](QDialog *box) { box->close(); });
    QCOMPARE(MsgBox_Routine::MostraMessaggio(Domanda, 51, Titolo), 2);
}

void TestMsgBoxForm::geometria()
{
    MsgBox_Form box(Domanda, 292, Titolo);
    QVERIFY(mostraAttivo(box));
    QCOMPARE(box.size(), twipsToPixels(QSize(4590, 1890), dpi()));
    QCOMPARE(box.findChild<QTextEdit *>()->geometry(), twipsToPixels(QRect(120, 480, 4410, 600), dpi()));
    QCOMPARE(pulsante(&box, 0)->geometry(), twipsToPixels(QRect(1285, 1180, 975, 615), dpi()));
    QCOMPARE(pulsante(&box, 1)->geometry(), twipsToPixels(QRect(2330, 1180, 975, 615), dpi()));
    // The designed window is centred; the smaller box keeps that corner.
    const QRect schermo = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize disegnata = twipsToPixels(QSize(4695, 3135), dpi());
    QVERIFY(qAbs(box.x() - (schermo.x() + (schermo.width() - disegnata.width()) / 2)) <= 1);
    QVERIFY(qAbs(box.y() - (schermo.y() + (schermo.height() - disegnata.height()) / 2)) <= 1);

    // The message fits its area with the tool's fonts.
    QVERIFY(!box.findChild<QTextEdit *>()->verticalScrollBar()->isVisible());

    // However long the message, the box stays on the screen and its text scrolls.
    QString lungo = QString(2000, u'x');
    for (int i = 0; i < 100; ++i)
        lungo += QStringLiteral("\r\nriga");
    MsgBox_Form grande(lungo, 35, Titolo);
    QVERIFY(mostraAttivo(grande));
    QVERIFY(schermo.contains(grande.geometry()));
    QVERIFY(grande.rect().contains(pulsante(&grande, 2)->geometry()));
    QVERIFY(grande.findChild<QTextEdit *>()->verticalScrollBar()->maximum() > 0);
    QTest::keyClick(&grande, Qt::Key_Escape);
}

void TestMsgBoxForm::testoComeScritto()
{
    // Titles and messages are plain text, shown as written, lines broken at CR LF.
    const QString messaggio = QStringLiteral("Prima <b>riga</b>\r\nSeconda & ultima");
    MsgBox_Form box(messaggio, 0, QStringLiteral("<i>Titolo</i> & co."));
    QVERIFY(mostraAttivo(box));
    const QTextEdit *text1 = box.findChild<QTextEdit *>();
    QCOMPARE(text1->toPlainText(), QStringLiteral("Prima <b>riga</b>\nSeconda & ultima"));
    QVERIFY(text1->isReadOnly());
    for (QTextBlock b = text1->document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.blockFormat().alignment(), Qt::AlignHCenter);
    const QLabel *label1 = box.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label1->textFormat(), Qt::PlainText);
    QCOMPARE(label1->text(), QStringLiteral("<i>Titolo</i> & co."));
    QTest::keyClick(&box, Qt::Key_Escape);
}

void TestMsgBoxForm::dueChiamateInFila()
{
    quandoAperto([](QDialog *box) {
        QCOMPARE(pulsantiVisibili(box), QStringList({"Si", "No", "Annulla"}));
        QTest::mouseClick(pulsante(box, 2), Qt::LeftButton);
    });
    QCOMPARE(MsgBox_Routine::MostraMessaggio(QString(120, u'x'), 35, Titolo), 2);

    // The second box starts from the form as designed: no third button, no wider window.
    quandoAperto([](QDialog *box) {
        QCOMPARE(pulsantiVisibili(box), QStringList({"Ok"}));
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Fine"));
        QCOMPARE(box->width(), twipsToPixels(4590, dpi()));
        QTest::keyClick(pulsante(box, 0), Qt::Key_Return);
    });
    QCOMPARE(MsgBox_Routine::MostraMessaggio(QStringLiteral("Fatto"), 0, QStringLiteral("Fine")), 0);
}

QTEST_MAIN(TestMsgBoxForm)
#include "tst_msgboxform.moc"
