#include "textcodec.h"

#include <QTest>

using namespace jetwriter;

class TstTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void unicodeText_data();
    void unicodeText();
    void windows1252();
};

void TstTextCodec::unicodeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("compress");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("latin compressed") << u"àb "_qs << true << QByteArray("\xFF\xFE\xE0\x62\x20");
    QTest::newRow("empty never compressed") << QString() << true << QByteArray();
    QTest::newRow("one character above U+00FF keeps UCS-2")
        << u"aā"_qs << true << QByteArray("\x61\x00\x01\x01", 4);
    QTest::newRow("U+0000 cannot be compressed") << QString(QChar(0)) << true << QByteArray("\x00\x00", 2);
    QTest::newRow("names are not compressed") << u"Id"_qs << false << QByteArray("I\x00" "d\x00", 4);
}

void TstTextCodec::unicodeText()
{
    QFETCH(QString, text);
    QFETCH(bool, compress);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeUnicodeText(text, compress), bytes);
}

void TstTextCodec::windows1252()
{
    QCOMPARE(encodeWindows1252(u"è´€’"_qs), QByteArray("\xE8\xB4\x80\x92"));

    QChar unencodable;
    QVERIFY(!encodeWindows1252(u"caffè ā"_qs, &unencodable));
    QCOMPARE(unencodable, QChar(0x0101));
    // C1 controls are not characters of the code page, even where it leaves a byte free.
    QVERIFY(!encodeWindows1252(QString(QChar(0x81))));
    QCOMPARE(codePointLabel(QChar(0xE0)), u"U+00E0"_qs);
}

QTEST_GUILESS_MAIN(TstTextCodec)
#include "tst_textcodec.moc"
