#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace hoteldb {

// One field value as read from a Jet table: Null, whole number, real (currency and
// decimal fields included), text, boolean, date-time (days since 30/12/1899, Jet's own
// representation) or binary (OLE objects, binary fields, replication ids).
class Value
{
public:
    enum class Type { Null, Integer, Real, Text, Boolean, DateTime, Binary };

    Value() = default;
    static Value integer(qint64 v) { return Value(Type::Integer, v); }
    static Value real(double v) { return Value(Type::Real, v); }
    static Value text(QString v) { return Value(Type::Text, std::move(v)); }
    static Value boolean(bool v) { return Value(Type::Boolean, v); }
    static Value dateTime(double days) { return Value(Type::DateTime, days); }
    static Value binary(QByteArray v) { return Value(Type::Binary, std::move(v)); }

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::Null; }

    qint64 integerValue() const { return std::get<qint64>(m_data); }
    double realValue() const { return std::get<double>(m_data); } // Real and DateTime
    const QString &textValue() const { return std::get<QString>(m_data); }
    bool booleanValue() const { return std::get<bool>(m_data); }
    const QByteArray &binaryValue() const { return std::get<QByteArray>(m_data); }

    bool operator==(const Value &other) const = default;

private:
    template<typename T>
    Value(Type type, T &&v) : m_type(type), m_data(std::forward<T>(v)) {}

    Type m_type = Type::Null;
    std::variant<std::monostate, qint64, double, QString, bool, QByteArray> m_data;
};

} // namespace hoteldb
