// The operator's error: its message made readable once, whole wherever it is shown.

#include "operatorerror.h"
#include "operatormessage.h"

#include <QTest>

using namespace core;

class TestOperatorError : public QObject
{
    Q_OBJECT

private slots:
    void controlCharactersCannotCutTheMessage_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("shown");
        QTest::newRow("nul") << u"Il database «A\0B.mdb» è danneggiato."_qs
                             << u"Il database «A\uFFFDB.mdb» è danneggiato."_qs;
        QTest::newRow("escape and bell") << u"x\x1b[2J\x07y"_qs << u"x\uFFFD[2J\uFFFDy"_qs;
        QTest::newRow("line breaks and tabs stay") << u"a\r\nb\tc\nd"_qs << u"a\r\nb\tc\nd"_qs;
    }
    void controlCharactersCannotCutTheMessage()
    {
        QFETCH(QString, made);
        QFETCH(QString, shown);
        const OperatorError error(made);
        QCOMPARE(error.message(), shown);
        QCOMPARE(QString::fromUtf8(error.what()), shown);
        QCOMPARE(messageOf(error), shown);
        // A value put into a pattern is cleaned the same way.
        QCOMPARE(OperatorError(u"«%1»", {made}).message(), u"«"_qs + shown + u"»"_qs);
    }

    void otherFailuresShowTheirOwnText()
    {
        QCOMPARE(messageOf(std::runtime_error("disk on fire")), u"disk on fire"_qs);
    }
};

QTEST_APPLESS_MAIN(TestOperatorError)
#include "tst_operatorerror.moc"
