#include "linewriter.h"
#include "movementerror.h"

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

    void valuesAreUtf8AndEscaped()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        LineWriter w(buffer);
        w.element(1, u"codice", u"Caffè & <Bar> \"L'Ora\"");
        QCOMPARE(buffer.data(),
                 QByteArray(" <codice>Caff\xC3\xA8 &amp; &lt;Bar&gt; &quot;L&apos;Ora&quot;</codice>\r\n"));
    }

    void escapingLeavesOtherTextAlone()
    {
        QCOMPARE(xmlEscaped(u"A123 ´ %1"), u"A123 ´ %1"_qs);
        QCOMPARE(xmlEscaped(u"&amp;"), u"&amp;amp;"_qs);
        QCOMPARE(xmlEscaped(u""), QString());
    }

    void failedWriteThrows()
    {
        QBuffer buffer; // never opened: every write fails
        LineWriter w(buffer);
        QVERIFY_THROWS_EXCEPTION(MovementError, w.line(0, u"<movimenti>"));
    }
};

QTEST_APPLESS_MAIN(TestLineWriter)
#include "tst_linewriter.moc"
