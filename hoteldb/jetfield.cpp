#include "jetfield.h"

#include "windows1252.h"

#include <QtEndian>


namespace hoteldb::jet {

namespace {
constexpr quint32 kInlineFlag = 0x80000000;
constexpr quint32 kSingleRowFlag = 0x40000000;
constexpr quint32 kLengthMask = 0x3fffffff;
constexpr qsizetype kLongValueHeader = 12;

QString ucs2(QByteArrayView bytes)
{
    QString out(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = QChar(qFromLittleEndian<quint16>(bytes.data() + 2 * i));
    return out;
}

QString compressedUcs2(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized); // never more characters than bytes
    QChar *to = out.data();
    bool compressed = true;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == 0) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            *to++ = QChar(uchar(bytes[i]));
            ++i;
        } else if (i + 1 < bytes.size()) {
            *to++ = QChar(qFromLittleEndian<quint16>(bytes.data() + i));
            i += 2;
        } else {
            break; // an odd byte left over carries no character
        }
    }
    out.truncate(to - out.constData());
    return out;
}

template<typename T>
T little(QByteArrayView bytes)
{
    return qFromLittleEndian<T>(bytes.data());
}
} // namespace

Value::Type JetField::valueType(quint8 columnType)
{
    switch (columnType) {
    case ColumnType::Boolean:
        return Value::Type::Boolean;
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::LongInteger:
        return Value::Type::Integer;
    case ColumnType::Currency:
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Numeric:
        return Value::Type::Real;
    case ColumnType::DateTime:
        return Value::Type::DateTime;
    case ColumnType::Text:
    case ColumnType::Memo:
        return Value::Type::Text;
    default:
        return Value::Type::Binary;
    }
}

QString JetField::text(Version version, QByteArrayView bytes)
{
    if (version == Version::Jet3)
        return core::fromWindows1252(bytes);
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xff && uchar(bytes[1]) == 0xfe)
        return compressedUcs2(bytes.sliced(2));
    return ucs2(bytes);
}

Value JetField::fixed(quint8 columnType, QByteArrayView bytes, int scale)
{
    const auto needs = [&bytes](qsizetype size) { return bytes.size() >= size; };
    switch (columnType) {
    case ColumnType::Byte:
        return needs(1) ? Value::integer(uchar(bytes[0])) : Value();
    case ColumnType::Integer:
        return needs(2) ? Value::integer(little<qint16>(bytes)) : Value();
    case ColumnType::LongInteger:
        return needs(4) ? Value::integer(little<qint32>(bytes)) : Value();
    case ColumnType::Currency:
        // Ten-thousandths: one correctly rounded division gives the double nearest the amount.
        return needs(8) ? Value::real(double(little<qint64>(bytes)) / 10000.0) : Value();
    case ColumnType::Single:
        return needs(4) ? Value::real(little<float>(bytes)) : Value();
    case ColumnType::Double:
        return needs(8) ? Value::real(little<double>(bytes)) : Value();
    case ColumnType::DateTime:
        return needs(8) ? Value::dateTime(little<double>(bytes)) : Value();
    case ColumnType::Numeric:
        // Through the decimal text, so the double is the one nearest the stored decimal.
        return needs(17) ? Value::real(decimalText(bytes, scale).toDouble()) : Value();
    default:
        return Value::binary(bytes.toByteArray());
    }
}

QString JetField::decimalText(QByteArrayView bytes, int scale)
{
    if (bytes.size() < 17)
        return QString();
    std::array<quint32, 4> words; // most significant first
    for (int i = 0; i < 4; ++i)
        words[i] = qFromLittleEndian<quint32>(bytes.data() + 1 + 4 * i);
    const bool zero = !(words[0] | words[1] | words[2] | words[3]);
    // Long division by ten, one digit at a time from the least significant.
    QString digits;
    while (words[0] | words[1] | words[2] | words[3]) {
        quint64 remainder = 0;
        for (quint32 &word : words) {
            const quint64 current = (remainder << 32) | word;
            word = quint32(current / 10);
            remainder = current % 10;
        }
        digits.prepend(QChar(u'0' + int(remainder)));
    }
    scale = qBound(0, scale, 38);
    if (digits.size() <= scale)
        digits.prepend(QString(scale - digits.size() + 1, u'0'));
    if (scale > 0)
        digits.insert(digits.size() - scale, u'.');
    if ((uchar(bytes[0]) & 0x80) && !zero)
        digits.prepend(u'-');
    return digits;
}

std::optional<LongValueRef> JetField::longValue(QByteArrayView field)
{
    if (field.size() < kLongValueHeader)
        return std::nullopt;
    const quint32 header = qFromLittleEndian<quint32>(field.data());
    const quint32 pointer = qFromLittleEndian<quint32>(field.data() + 4);
    LongValueRef ref;
    ref.length = header & kLengthMask;
    ref.row = pointerRow(pointer);
    ref.page = pointerPage(pointer);
    if (header & kInlineFlag) {
        ref.kind = LongValueRef::Kind::Inline;
        if (kLongValueHeader + ref.length > field.size())
            return std::nullopt;
        ref.inlineData = field.sliced(kLongValueHeader, ref.length);
    } else {
        ref.kind = (header & kSingleRowFlag) ? LongValueRef::Kind::SingleRow : LongValueRef::Kind::Chain;
    }
    return ref;
}

} // namespace hoteldb::jet
