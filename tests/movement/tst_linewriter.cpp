#include "linewriter.h"
#include "operatorerror.h"

#include <QBuffer>
#include <QTest>

using namespace movement;

class TestLineWriter : public QObject
{
    Q_OBJECT

private slots:
    void linesAreIndentedAndEndInCrLf()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        LineWriter w(buffer);
        w.line(0, kXmlDeclaration);
        w.line(3, u"<a>");
        w.element(6, u"codice", u"ABC123");
        QCOMPARE(buffer.data(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                           "   <a>\r\n"
                                           "      <codice>ABC123</codice>\r\n"));
    }

    // Each character that XML gives a meaning is escaped, alone as among others.
    void valuesAreUtf8AndEscaped_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("together") << u"Caffè & <Bar> \"L'Ora\""_qs
                                  << QByteArray("Caff\xC3\xA8 &amp; &lt;Bar&gt; &quot;L&apos;Ora&quot;");
        for (const auto &[alone, escaped] : {std::pair{u'&', "&amp;"}, {u'<', "&lt;"}, {u'>', "&gt;"}, {u'"', "&quot;"},
                                            {u'\'', "&apos;"}})
            QTest::addRow("%c alone", char(alone)) << u"A"_qs + QChar(alone) << "A" + QByteArray(escaped);
    }
    void valuesAreUtf8AndEscaped()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, written);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        LineWriter(buffer).element(1, u"codice", value);
        QCOMPARE(buffer.data(), " <codice>" + written + "</codice>\r\n");
    }

    void escapingLeavesOtherTextAlone()
    {
        QCOMPARE(xmlEscaped(u"A123 ´ %1"), u"A123 ´ %1"_qs);
        QCOMPARE(xmlEscaped(u"&amp;"), u"&amp;amp;"_qs);
        QCOMPARE(xmlEscaped(u""), QString());
    }

    void valuesThatWouldChangeAreRefused_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("says");
        QTest::newRow("tab") << u"19\t80"_qs << u"posizione 3 il carattere U+0009"_qs;
        QTest::newRow("line feed") << u"1980\n"_qs << u"U+000a"_qs;
        QTest::newRow("carriage return") << u"\r1980"_qs << u"posizione 1 il carattere U+000d"_qs;
        QTest::newRow("nul") << QString(QChar(0)) << u"U+0000"_qs;
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u"x"_qs << u"U+d83d"_qs;
        QTest::newRow("noncharacter") << u"19"_qs + QString(QChar(0xFFFE)) << u"posizione 3 il carattere U+fffe"_qs;
        QTest::newRow("lone low surrogate") << u"x"_qs + QString(QChar(0xDE00)) << u"posizione 2 il carattere U+de00"_qs;
    }
    void valuesThatWouldChangeAreRefused()
    {
        QFETCH(QString, value);
        QFETCH(QString, says);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        LineWriter w(buffer);
        try {
            w.element(12, u"datanascita", value);
            QFAIL("written");
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(says) && e.message().contains(u"«datanascita»"_qs), qPrintable(e.message()));
        }
        QCOMPARE(buffer.data(), QByteArray());
        // A character outside the basic plane is a pair of surrogates, written as UTF-8.
        w.element(0, u"a", u"\U0001F600"_qs);
        QCOMPARE(buffer.data(), QByteArray("<a>\xF0\x9F\x98\x80</a>\r\n"));
    }

    void failedWriteThrows()
    {
        QBuffer buffer; // never opened: every write fails
        LineWriter w(buffer);
        QVERIFY_THROWS_EXCEPTION(core::OperatorError, w.line(0, u"<movimenti>"));
    }
};

QTEST_APPLESS_MAIN(TestLineWriter)
#include "tst_linewriter.moc"
