#include "valueencoder.h"

#include "bytes.h"
#include "jetwriteerror.h"
#include "oledate.h"
#include "textcodec.h"

#include <QDateTime>

#include <cmath>
#include <limits>
#include <optional>

namespace jetwriter {

namespace {

constexpr qint64 kExactDoubleLimit = qint64(1) << 53;
constexpr qsizetype kMaxLongValueBytes = 0xFFFFFF; // the length field of a memo has 24 bits
constexpr qsizetype kMaxCompressedMemo = 1024;      // Access reads longer memos only uncompressed

QString typeName(StoredType type)
{
    switch (type) {
    case StoredType::Boolean: return QStringLiteral("sì/no");
    case StoredType::Byte: return QStringLiteral("byte");
    case StoredType::Integer: return QStringLiteral("intero");
    case StoredType::Long: return QStringLiteral("intero lungo");
    case StoredType::Double: return QStringLiteral("precisione doppia");
    case StoredType::DateTime: return QStringLiteral("data/ora");
    case StoredType::Text: return QStringLiteral("testo");
    case StoredType::Memo: return QStringLiteral("memo");
    case StoredType::Binary: return QStringLiteral("binario");
    case StoredType::Ole: return QStringLiteral("oggetto OLE");
    }
    Q_UNREACHABLE();
}

[[noreturn]] void refuseType(StoredType type, const QVariant &value)
{
    throw JetWriteError(QStringLiteral("un valore di tipo %1 non va in una colonna %2")
                            .arg(QString::fromLatin1(value.metaType().name()), typeName(type)));
}

[[noreturn]] void refuseRange(const QVariant &value, qint64 low, qint64 high)
{
    throw JetWriteError(QStringLiteral("il valore %1 è fuori dall'intervallo da %2 a %3")
                            .arg(value.toString())
                            .arg(low)
                            .arg(high));
}

// Whole numbers of any integral type; nothing for the other types.
std::optional<qint64> wholeNumber(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            refuseRange(value, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
        return value.toLongLong();
    default:
        return std::nullopt;
    }
}

qint64 integerIn(StoredType type, const QVariant &value, qint64 low, qint64 high)
{
    const auto number = wholeNumber(value);
    if (!number)
        refuseType(type, value);
    if (*number < low || *number > high)
        refuseRange(value, low, high);
    return *number;
}

double doubleValue(const QVariant &value)
{
    double number = 0;
    if (const auto whole = wholeNumber(value)) {
        if (*whole > kExactDoubleLimit || *whole < -kExactDoubleLimit)
            throw JetWriteError(QStringLiteral("l'intero %1 non è rappresentabile esattamente in precisione doppia")
                                    .arg(*whole));
        number = double(*whole);
    } else if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Float) {
        number = value.toDouble();
    } else {
        refuseType(StoredType::Double, value);
    }
    if (!std::isfinite(number))
        throw JetWriteError(QStringLiteral("il valore %1 non è un numero finito").arg(value.toString()));
    return number;
}

// Only the written date and clock time count: a local time that a clock change skips
// is an invalid QDateTime, yet a valid Jet value.
QDateTime dateTimeValue(const QVariant &value)
{
    QDateTime dateTime;
    if (value.metaType().id() == QMetaType::QDateTime)
        dateTime = value.toDateTime();
    else if (value.metaType().id() == QMetaType::QString)
        dateTime = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    else
        refuseType(StoredType::DateTime, value);
    if (!dateTime.date().isValid() || !dateTime.time().isValid())
        throw JetWriteError(QStringLiteral("«%1» non è una data e ora ISO 8601 (AAAA-MM-GGTHH:MM:SS)").arg(value.toString()));
    if (dateTime.date().year() < 100 || dateTime.date().year() > 9999)
        throw JetWriteError(QStringLiteral("la data %1 è fuori dagli anni da 100 a 9999")
                                .arg(dateTime.date().toString(Qt::ISODate)));
    return dateTime;
}

} // namespace

void encodeFixedValue(const StoredColumn &column, const QVariant &value, char *out)
{
    switch (column.type) {
    case StoredType::Byte:
        *out = char(integerIn(column.type, value, 0, 255));
        return;
    case StoredType::Integer:
        put16(out, quint16(integerIn(column.type, value, std::numeric_limits<qint16>::min(),
                                     std::numeric_limits<qint16>::max())));
        return;
    case StoredType::Long:
        put32(out, quint32(integerIn(column.type, value, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max())));
        return;
    case StoredType::Double:
        putDouble(out, doubleValue(value));
        return;
    case StoredType::DateTime:
        putDouble(out, oleAutomationDate(dateTimeValue(value)));
        return;
    default:
        refuseType(column.type, value);
    }
}

bool booleanValue(const QVariant &value)
{
    if (value.isNull())
        throw JetWriteError(QStringLiteral("un campo sì/no non può essere Null"));
    if (value.metaType().id() != QMetaType::Bool)
        refuseType(StoredType::Boolean, value);
    return value.toBool();
}

QByteArray encodeTextValue(const StoredColumn &column, const QVariant &value, const FormatTraits &traits)
{
    if (!column.isText() || value.metaType().id() != QMetaType::QString)
        refuseType(column.type, value);
    const QString text = value.toString();
    if (column.type == StoredType::Text && text.size() > column.maxChars)
        throw JetWriteError(QStringLiteral("il testo di %1 caratteri supera la dimensione %2 della colonna")
                                .arg(text.size())
                                .arg(column.maxChars));
    if (text.contains(QChar(0)))
        throw JetWriteError(QStringLiteral("il testo contiene il carattere nullo U+0000"));

    QByteArray bytes;
    if (traits.jet4()) {
        bytes = encodeUnicodeText(text, column.type == StoredType::Text || text.size() <= kMaxCompressedMemo);
    } else {
        QChar unencodable;
        const auto encoded = encodeWindows1252(text, &unencodable);
        if (!encoded)
            throw JetWriteError(QStringLiteral("il carattere «%1» (%2) non esiste nella codifica Windows-1252 dei file Jet 3")
                                    .arg(unencodable, codePointLabel(unencodable)));
        bytes = *encoded;
    }
    if (bytes.size() > kMaxLongValueBytes)
        throw JetWriteError(QStringLiteral("il testo occupa %1 byte, oltre il massimo di %2").arg(bytes.size()).arg(kMaxLongValueBytes));
    return bytes;
}

} // namespace jetwriter
