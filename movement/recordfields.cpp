#include "recordfields.h"

#include "numericvalue.h"
#include "operatorerror.h"
#include "operatormessage.h"
#include "trimspaces.h"

#include <optional>

namespace movement {

using hoteldb::Value;

namespace {

// A value as text; nullopt for the kinds that have no text form in the files.
std::optional<QString> textOf(const Value &value)
{
    switch (value.type()) {
    case Value::Type::Null: return QString();
    case Value::Type::Text: return value.textValue();
    case Value::Type::Integer: return QString::number(value.integerValue());
    case Value::Type::Real: return core::numberText(value.realValue());
    default: return std::nullopt;
    }
}

} // namespace

QString RecordFields::text(const QString &field) const
{
    const std::optional<QString> text = textOf(m_records.Fields(field));
    if (!text)
        refuse(field, QStringLiteral("(dato non testuale)"), QStringLiteral("un testo"));
    return *text;
}

double RecordFields::number(const QString &field) const
{
    const Value value = m_records.Fields(field);
    switch (value.type()) {
    case Value::Type::Null: return 0;
    case Value::Type::Integer: return double(value.integerValue());
    case Value::Type::Real: return value.realValue();
    case Value::Type::Boolean: return value.booleanValue() ? -1 : 0;
    case Value::Type::Text: {
        bool ok = false;
        const double number = core::trimSpaces(value.textValue()).toDouble(&ok);
        if (!ok)
            refuse(field, value.textValue(), QStringLiteral("un numero"));
        return number;
    }
    default: refuse(field, QStringLiteral("(dato non numerico)"), QStringLiteral("un numero"));
    }
}

QString RecordFields::record() const
{
    const QString key = textOf(m_records.Fields(m_keyField)).value_or(QString());
    return core::operatorMessage(u"il record con %1 %2 del database «%3»",
                                    {m_keyField, key.isEmpty() ? QStringLiteral("vuoto") : key, m_databaseName});
}

void RecordFields::refuse(const QString &field, const QString &value, const QString &expected) const
{
    // The record is named in words of the tool's own, whole.
    throw core::OperatorError(core::operatorMessage(u"Nel campo «%1» ", {field}) + record()
                              + core::operatorMessage(u" ha il valore «%1», che non è %2: correggerlo nel programma "
                                                         u"alberghiero. Nessun file è stato scritto.",
                                                         {value, expected}));
}

} // namespace movement
