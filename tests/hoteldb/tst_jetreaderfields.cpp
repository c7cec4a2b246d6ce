#include "jetfield.h"
#include "jetrow.h"

#include <QTest>

using namespace hoteldb;
using namespace hoteldb::jet;

Q_DECLARE_METATYPE(hoteldb::jet::Version)

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// A Jet 4 row of four columns as a table might store it: a whole number in the fixed part,
// two texts, a Yes/No field; the table also has a text column added after the row was written.
QList<ColumnLayout> jet4Columns()
{
    ColumnLayout number{QStringLiteral("Numero"), ColumnType::LongInteger, 0, true, 0, 0, 4};
    ColumnLayout first{QStringLiteral("Lingua"), ColumnType::Text, 1, false, 0, 0};
    ColumnLayout second{QStringLiteral("Nazione"), ColumnType::Text, 2, false, 0, 1};
    ColumnLayout flag{QStringLiteral("Partito"), ColumnType::Boolean, 3, true};
    ColumnLayout added{QStringLiteral("Stato"), ColumnType::Text, 5, false, 0, 3};
    return {number, first, second, flag, added};
}

// Column count, the number 42, "A", nothing, the offset table (end of data, then the
// offsets of the two texts, read backwards), the count of variable columns, the null mask.
QByteArray jet4Row(const char *offsets, const char *mask)
{
    return hex("0400") + hex("2a000000") + hex("4100") + hex(offsets) + hex("0200") + hex(mask);
}

} // namespace

class TestJetReaderFields : public QObject
{
    Q_OBJECT

private slots:
    void decodesTexts_data();
    void decodesTexts();
    void decodesFixedValues();
    void writesDecimalsAsPlainText_data();
    void writesDecimalsAsPlainText();
    void readsLongValueHeaders();
    void findsRowsOnAPage();
    void splitsRowsTellingNullFromEmpty();
    void refusesRowsThatContradictThemselves_data();
    void refusesRowsThatContradictThemselves();
};

void TestJetReaderFields::decodesTexts_data()
{
    QTest::addColumn<Version>("version");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Jet 3 Windows-1252") << Version::Jet3 << QByteArray("caff\xe8 \x80 \x93x\x94 \x92") << QStringLiteral("caffè € “x” ’");
    QTest::newRow("Jet 3 unassigned byte") << Version::Jet3 << QByteArray("a\x81") << QStringLiteral("a\u0081");
    QTest::newRow("Jet 4 plain") << Version::Jet4 << hex("4e00e0001c04") << QStringLiteral("NàМ");
    QTest::newRow("Jet 4 odd byte") << Version::Jet4 << hex("410042") << QStringLiteral("A");
    QTest::newRow("Jet 4 compressed") << Version::Jet4 << hex("fffe4ce0") << QStringLiteral("Là");
    QTest::newRow("Jet 4 compressed, empty") << Version::Jet4 << hex("fffe") << QString();
    // A zero byte switches between one byte and two bytes a character.
    QTest::newRow("Jet 4 mixed") << Version::Jet4 << hex("fffe61001c04380400 62") << QStringLiteral("aМиb");
    QTest::newRow("Jet 4 mixed, cut") << Version::Jet4 << hex("fffe001c0438") << QStringLiteral("М");
}

void TestJetReaderFields::decodesTexts()
{
    QFETCH(Version, version);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(JetField::text(version, bytes), text);
}

void TestJetReaderFields::decodesFixedValues()
{
    QCOMPARE(JetField::fixed(ColumnType::Byte, hex("ff"), 0), Value::integer(255));
    QCOMPARE(JetField::fixed(ColumnType::Integer, hex("ffff"), 0), Value::integer(-1));
    QCOMPARE(JetField::fixed(ColumnType::LongInteger, hex("00000080"), 0), Value::integer(-2147483648LL));
    // Ten-thousandths of the currency unit, read as the double nearest the amount.
    QCOMPARE(JetField::fixed(ColumnType::Currency, hex("4877ffffffffffff"), 0), Value::real(-3.5));
    QCOMPARE(JetField::fixed(ColumnType::Currency, hex("0100000000000000"), 0), Value::real(0.0001));
    QCOMPARE(JetField::fixed(ColumnType::Single, hex("0000c03f"), 0), Value::real(1.5));
    QCOMPARE(JetField::fixed(ColumnType::DateTime, hex("000000000000f4bf"), 0), Value::dateTime(-1.25));
    QCOMPARE(JetField::fixed(ColumnType::Numeric, hex("00" "00000000" "00000000" "00000000" "d2040000"), 2), Value::real(12.34));
    // Too few bytes for the type give no value at all; an unknown type keeps its bytes.
    QCOMPARE(JetField::fixed(ColumnType::Double, hex("00000000"), 0), Value());
    QCOMPARE(JetField::fixed(ColumnType::Guid, hex("0102"), 0), Value::binary(hex("0102")));
}

void TestJetReaderFields::writesDecimalsAsPlainText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("text");
    const QByteArray one = hex("000000000000000000000000" "01000000");
    QTest::newRow("one") << QByteArray(1, '\0') + one << 0 << QStringLiteral("1");
    QTest::newRow("minus one") << QByteArray(1, '\x80') + one << 0 << QStringLiteral("-1");
    QTest::newRow("thousandths") << hex("00") + hex("000000000000000000000000" "05000000") << 3 << QStringLiteral("0.005");
    QTest::newRow("negative thousandths") << hex("80") + hex("000000000000000000000000" "05000000") << 3 << QStringLiteral("-0.005");
    QTest::newRow("negative zero") << hex("80") + QByteArray(16, '\0') << 2 << QStringLiteral("0.00");
    // The words run from the most significant; each is little-endian.
    QTest::newRow("2^96") << hex("00" "01000000" "00000000" "00000000" "00000000") << 0 << QStringLiteral("79228162514264337593543950336");
    QTest::newRow("largest") << hex("00") + QByteArray(16, '\xff') << 0 << QStringLiteral("340282366920938463463374607431768211455");
    QTest::newRow("largest, scaled") << hex("00") + QByteArray(16, '\xff') << 28 << QStringLiteral("34028236692.0938463463374607431768211455");
    QTest::newRow("cut short") << hex("00") + QByteArray(15, '\x01') << 0 << QString();
}

void TestJetReaderFields::writesDecimalsAsPlainText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, scale);
    QFETCH(QString, text);
    QCOMPARE(JetField::decimalText(bytes, scale), text);
}

void TestJetReaderFields::readsLongValueHeaders()
{
    // Length with the in-row flag, then the data itself after the 12-byte header.
    const QByteArray inlineField = hex("05000080" "00000000" "00000000") + QByteArray("hello");
    const auto inlined = JetField::longValue(inlineField);
    QVERIFY(inlined);
    QCOMPARE(inlined->kind, LongValueRef::Kind::Inline);
    QCOMPARE(inlined->inlineData, QByteArrayView("hello"));
    QVERIFY(!JetField::longValue(inlineField.chopped(1)));
    QVERIFY(!JetField::longValue(hex("05000080" "00000000")));

    // A pointer packs the row into its low byte and the page above it.
    const auto single = JetField::longValue(hex("00100040" "03390100" "00000000"));
    QVERIFY(single);
    QCOMPARE(single->kind, LongValueRef::Kind::SingleRow);
    QCOMPARE(single->length, 0x1000);
    QCOMPARE(single->row, 3);
    QCOMPARE(single->page, quint32(0x139));
    const auto chain = JetField::longValue(hex("204e0000" "00070000" "00000000"));
    QVERIFY(chain);
    QCOMPARE(chain->kind, LongValueRef::Kind::Chain);
    QCOMPARE(chain->length, 20000);
    QCOMPARE(chain->page, quint32(7));
}

void TestJetReaderFields::findsRowsOnAPage()
{
    // A Jet 4 page: row count at 12, then the offsets; row 0 runs to the end of the page.
    QByteArray page(64, '\0');
    page.replace(12, 8, hex("0300" "3800" "3000" "2840"));
    const auto first = JetRow::slot(page, 12, 0);
    QVERIFY(first);
    QCOMPARE(first->start, 0x38);
    QCOMPARE(first->end, 64);
    QVERIFY(!first->skipped);
    const auto third = JetRow::slot(page, 12, 2);
    QVERIFY(third);
    QCOMPARE(third->start, 0x28);
    QCOMPARE(third->end, 0x30);
    QVERIFY(third->skipped);
    QVERIFY(!JetRow::slot(page, 12, 3));

    // Offsets inside the row table itself, or past the page, are damage.
    page.replace(14, 2, hex("1000"));
    QVERIFY(!JetRow::slot(page, 12, 0));
    page.replace(14, 2, hex("4800"));
    QVERIFY(!JetRow::slot(page, 12, 0));
    page.replace(12, 2, hex("ff7f"));
    QVERIFY(!JetRow::rowCount(page, 12));
}

void TestJetReaderFields::splitsRowsTellingNullFromEmpty()
{
    const QList<ColumnLayout> columns = jet4Columns();
    std::vector<FieldSpan> fields;
    const QByteArray row = jet4Row("0800" "0800" "0600", "0f");
    QVERIFY(JetRow::split(Version::Jet4, row, true, columns, fields));
    QCOMPARE(fields.size(), size_t(5));
    QCOMPARE(JetField::fixed(ColumnType::LongInteger, QByteArrayView(row).sliced(fields[0].start, fields[0].length), 0),
             Value::integer(42));
    QVERIFY(!fields[1].null);
    QCOMPARE(QByteArrayView(row).sliced(fields[1].start, fields[1].length), QByteArrayView(hex("4100")));
    // Present in the null mask with no bytes: an empty text, not a Null.
    QVERIFY(!fields[2].null);
    QCOMPARE(fields[2].length, 0);
    QVERIFY(!fields[3].null);
    QVERIFY(fields[3].flag);
    QVERIFY(fields[4].null);

    QVERIFY(JetRow::split(Version::Jet4, jet4Row("0800" "0800" "0600", "03"), true, columns, fields));
    QVERIFY(!fields[1].null);
    QVERIFY(fields[2].null);
    QVERIFY(!fields[3].null);
    QVERIFY(!fields[3].flag);
}

void TestJetReaderFields::refusesRowsThatContradictThemselves_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<int>("fixedOffset");
    QTest::newRow("offsets going back") << jet4Row("0800" "0600" "0800", "0f") << 0;
    QTest::newRow("offset into the offset table") << jet4Row("0900" "0800" "0600", "0f") << 0;
    QTest::newRow("offset into the column count") << jet4Row("0800" "0800" "0100", "0f") << 0;
    QTest::newRow("too many variable columns") << hex("0400") + hex("2a000000") + hex("4100") + hex("0800" "0800" "0600") + hex("ff00") + hex("0f") << 0;
    QTest::newRow("fixed field past the fixed part") << jet4Row("0800" "0800" "0600", "0f") << 3;
    QTest::newRow("mask longer than the row") << hex("ff00") << 0;
    QTest::newRow("nothing") << QByteArray() << 0;
}

void TestJetReaderFields::refusesRowsThatContradictThemselves()
{
    QFETCH(QByteArray, row);
    QFETCH(int, fixedOffset);
    QList<ColumnLayout> columns = jet4Columns();
    columns[0].fixedOffset = fixedOffset;
    std::vector<FieldSpan> fields;
    QVERIFY(!JetRow::split(Version::Jet4, row, true, columns, fields));
}

QTEST_GUILESS_MAIN(TestJetReaderFields)
#include "tst_jetreaderfields.moc"
