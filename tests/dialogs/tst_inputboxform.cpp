#include "inputboxform.h"
#include "inputboxroutine.h"
#include "twips.h"

#include "modalbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

using namespace dialogs;

namespace {

const QString Prompt = QStringLiteral("Inserire il codice della struttura\r\ncome indicato\r\n\r\nes. A123456");
const QString Titolo = QStringLiteral("Codice Struttura");

QLineEdit *campo(const QWidget *box)
{
    return box->findChild<QLineEdit *>(QStringLiteral("Text2"));
}

} // namespace

class TestInputBoxForm : public QObject
{
    Q_OBJECT

private slots:
    void apertura();
    void digitareSostituisceIlPredefinito();
    void okConCampoVuoto();
    void testoLungoIntatto();
    void annullaConTesto();
    void invioPassaAOk();
    void escapeEChiusura();
    void geometria();
    void dueChiamateInFila();
};

void TestInputBoxForm::apertura()
{
    InputBox_form box(Prompt, Titolo, QStringLiteral("ABC123"));
    QVERIFY(mostraAttivo(box));
    QVERIFY(campo(&box)->hasFocus());
    QCOMPARE(campo(&box)->selectedText(), QStringLiteral("ABC123"));
    QCOMPARE(pulsante(&box, 0)->text(), QStringLiteral("Ok"));
    QCOMPARE(pulsante(&box, 1)->text(), QStringLiteral("Annulla"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("Label1"))->text(), Titolo);
    QCOMPARE(box.findChild<QTextEdit *>()->toPlainText(),
             QStringLiteral("Inserire il codice della struttura\ncome indicato\n\nes. A123456"));
    // Tab order: field, "Ok", "Annulla"; the prompt is skipped.
    QTest::keyClick(campo(&box), Qt::Key_Tab);
    QVERIFY(pulsante(&box, 0)->hasFocus());
    QTest::keyClick(pulsante(&box, 0), Qt::Key_Tab);
    QVERIFY(pulsante(&box, 1)->hasFocus());
    QTest::keyClick(&box, Qt::Key_Escape);
}

void TestInputBoxForm::digitareSostituisceIlPredefinito()
{
    InputBox_form box(Prompt, Titolo, QStringLiteral("C:\\DuzizUzazi.xml"));
    QVERIFY(mostraAttivo(box));
    QTest::keyClicks(campo(&box), QStringLiteral("D:\\Dati\\Movimenti.txt"));
    QCOMPARE(campo(&box)->text(), QStringLiteral("D:\\Dati\\Movimenti.txt"));
    QTest::mouseClick(pulsante(&box, 0), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.risposta(), std::optional<QString>(QStringLiteral("D:\\Dati\\Movimenti.txt")));
}

void TestInputBoxForm::okConCampoVuoto()
{
    InputBox_form box(Prompt, Titolo, QStringLiteral("ABC123"));
    QVERIFY(mostraAttivo(box));
    QTest::keyClick(campo(&box), Qt::Key_Delete);
    QTest::mouseClick(pulsante(&box, 0), Qt::LeftButton);
    QCOMPARE(box.risposta(), std::optional<QString>(QString()));
}

void TestInputBoxForm::testoLungoIntatto()
{
    const QString lungo = QString(40000, u'x') + QStringLiteral("fine");
    InputBox_form box(Prompt, Titolo, lungo);
    QVERIFY(mostraAttivo(box));
    QTest::keyClick(campo(&box), Qt::Key_Return);
    QTest::keyClick(pulsante(&box, 0), Qt::Key_Space);
    QCOMPARE(box.risposta(), std::optional<QString>(lungo));
}

void TestInputBoxForm::annullaConTesto()
{
    InputBox_form box(Prompt, Titolo, QStringLiteral("ABC123"));
    QVERIFY(mostraAttivo(box));
    QTest::keyClicks(campo(&box), QStringLiteral("XYZ"));
    QTest::mouseClick(pulsante(&box, 1), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.risposta(), std::nullopt);
}

void TestInputBoxForm::invioPassaAOk()
{
    for (Qt::Key invio : {Qt::Key_Return, Qt::Key_Enter}) {
        InputBox_form box(Prompt, Titolo, QStringLiteral("ABC123"));
        QVERIFY(mostraAttivo(box));
        QTest::keyClick(campo(&box), invio);
        QVERIFY(box.isVisible());
        QVERIFY(pulsante(&box, 0)->hasFocus());
        QCOMPARE(campo(&box)->text(), QStringLiteral("ABC123"));
        // Enter again presses the focused "Ok".
        QTest::keyClick(pulsante(&box, 0), invio);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.risposta(), std::optional<QString>(QStringLiteral("ABC123")));
    }
}

void TestInputBoxForm::escapeEChiusura()
{
    quandoAperto([](QDialog *box) { QTest::keyClick(campo(box), Qt::Key_Escape); });
    QCOMPARE(InputBox_Routine::RichiediTesto(Prompt, Titolo, QStringLiteral("ABC123")), std::nullopt);

    quandoAperto([](QDialog *box) {
        QTest::keyClicks(campo(box), QStringLiteral("NUOVO"));
        box->close();
    });
    QCOMPARE(InputBox_Routine::RichiediTesto(Prompt, Titolo, QStringLiteral("ABC123")), std::nullopt);
}

void TestInputBoxForm::geometria()
{
    InputBox_form box(Prompt, Titolo, QString());
    QVERIFY(mostraAttivo(box));
    QCOMPARE(box.size(), twipsToPixels(QSize(7200, 3165), dpi()));
    QCOMPARE(campo(&box)->geometry(), twipsToPixels(QRect(120, 2000, 7020, 375), dpi()));
    QCOMPARE(pulsante(&box, 0)->geometry(), twipsToPixels(QRect(5050, 2475, 975, 615), dpi()));
    QCOMPARE(pulsante(&box, 1)->geometry(), twipsToPixels(QRect(6095, 2475, 975, 615), dpi()));
    QVERIFY(!box.findChild<QTextEdit *>()->verticalScrollBar()->isVisible());
    // Centred at its own size.
    const QRect schermo = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(box.geometry().center().x() - schermo.center().x()) <= 1);
    QVERIFY(qAbs(box.geometry().center().y() - schermo.center().y()) <= 1);
    QTest::keyClick(&box, Qt::Key_Escape);
}

void TestInputBoxForm::dueChiamateInFila()
{
    quandoAperto([](QDialog *box) {
        QTest::keyClicks(campo(box), QStringLiteral("PRIMO"));
        QTest::keyClick(campo(box), Qt::Key_Return);
        QTest::keyClick(pulsante(box, 0), Qt::Key_Return);
    });
    QCOMPARE(InputBox_Routine::RichiediTesto(QString(150, u'x'), Titolo, QStringLiteral("ABC123")),
             std::optional<QString>(QStringLiteral("PRIMO")));

    // The second box shows its own default, selected, at its own size.
    quandoAperto([](QDialog *box) {
        QCOMPARE(campo(box)->selectedText(), QStringLiteral("A123456"));
        QCOMPARE(box->width(), twipsToPixels(7200, dpi()));
        QTest::mouseClick(pulsante(box, 0), Qt::LeftButton);
    });
    QCOMPARE(InputBox_Routine::RichiediTesto(Prompt, Titolo, QStringLiteral("A123456")),
             std::optional<QString>(QStringLiteral("A123456")));
}

QTEST_MAIN(TestInputBoxForm)
#include "tst_inputboxform.moc"
