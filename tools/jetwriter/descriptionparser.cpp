#include "descriptionparser.h"

#include "jetwriteerror.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace jetwriter {

namespace {

constexpr double kExactIntegerLimit = 9007199254740992.0; // 2^53

[[noreturn]] void refuse(const QString &where, const QString &problem)
{
    throw JetWriteError(QStringLiteral("Descrizione JSON, %1: %2.").arg(where, problem));
}

void checkKeys(const QJsonObject &object, const QStringList &allowed, const QString &where)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!allowed.contains(it.key()))
            refuse(where, QStringLiteral("chiave sconosciuta «%1» (ammesse: %2)").arg(it.key(), allowed.join(u", ")));
    }
}

QString requiredString(const QJsonObject &object, const QString &key, const QString &where)
{
    if (!object.value(key).isString())
        refuse(where, QStringLiteral("manca il testo «%1»").arg(key));
    return object.value(key).toString();
}

QJsonArray requiredArray(const QJsonObject &object, const QString &key, const QString &where)
{
    if (!object.value(key).isArray())
        refuse(where, QStringLiteral("manca l'elenco «%1»").arg(key));
    return object.value(key).toArray();
}

Format parseFormat(const QJsonValue &value)
{
    if (value.isUndefined())
        return Format::Jet4;
    if (value == QJsonValue(QStringLiteral("jet4")))
        return Format::Jet4;
    if (value == QJsonValue(QStringLiteral("jet3")))
        return Format::Jet3;
    refuse(QStringLiteral("formato"), QStringLiteral("«format» vale \"jet3\" o \"jet4\""));
}

ColumnType parseColumnType(const QString &type, const QString &where)
{
    static const QList<std::pair<QString, ColumnType>> types{
        {QStringLiteral("text"), ColumnType::Text},       {QStringLiteral("memo"), ColumnType::Memo},
        {QStringLiteral("long"), ColumnType::Long},       {QStringLiteral("integer"), ColumnType::Integer},
        {QStringLiteral("byte"), ColumnType::Byte},       {QStringLiteral("double"), ColumnType::Double},
        {QStringLiteral("boolean"), ColumnType::Boolean}, {QStringLiteral("datetime"), ColumnType::DateTime},
    };
    for (const auto &[name, columnType] : types) {
        if (name == type)
            return columnType;
    }
    refuse(where, QStringLiteral("tipo «%1» sconosciuto (ammessi: text, memo, long, integer, byte, double, "
                                 "boolean, datetime)")
                      .arg(type));
}

Column parseColumn(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        refuse(where, QStringLiteral("una colonna è un oggetto con «name», «type» ed eventualmente «size»"));
    const QJsonObject object = value.toObject();
    checkKeys(object, {QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("size")}, where);
    Column column;
    column.name = requiredString(object, QStringLiteral("name"), where);
    column.type = parseColumnType(requiredString(object, QStringLiteral("type"), where), where);
    const QJsonValue size = object.value(QStringLiteral("size"));
    if (column.type == ColumnType::Text) {
        if (!size.isDouble() || size.toDouble() != std::trunc(size.toDouble()) || std::abs(size.toDouble()) > 1e6)
            refuse(where, QStringLiteral("una colonna di testo richiede la dimensione intera «size»"));
        column.size = size.toInt();
    } else if (!size.isUndefined()) {
        refuse(where, QStringLiteral("«size» vale solo per le colonne di testo"));
    }
    return column;
}

// JSON numbers become qint64 when whole, so that they fit integral columns.
QVariant parseValue(const QJsonValue &value, const QString &where)
{
    switch (value.type()) {
    case QJsonValue::Null: return QVariant();
    case QJsonValue::Bool: return value.toBool();
    case QJsonValue::String: return value.toString();
    case QJsonValue::Double: {
        if (const QVariant integer = value.toVariant(); integer.typeId() == QMetaType::LongLong)
            return integer;
        const double number = value.toDouble();
        if (std::trunc(number) == number && std::abs(number) <= kExactIntegerLimit)
            return qint64(number);
        return number;
    }
    default: refuse(where, QStringLiteral("un valore è null, un booleano, un numero o un testo"));
    }
}

Table parseTable(const QJsonValue &value, qsizetype index)
{
    QString where = QStringLiteral("tabella n. %1").arg(index + 1);
    if (!value.isObject())
        refuse(where, QStringLiteral("una tabella è un oggetto con «name», «columns» e «rows»"));
    const QJsonObject object = value.toObject();
    checkKeys(object, {QStringLiteral("name"), QStringLiteral("columns"), QStringLiteral("rows")}, where);
    Table table;
    table.name = requiredString(object, QStringLiteral("name"), where);
    where = QStringLiteral("tabella «%1»").arg(table.name);

    const QJsonArray columns = requiredArray(object, QStringLiteral("columns"), where);
    for (qsizetype c = 0; c < columns.size(); ++c)
        table.columns.append(parseColumn(columns[c], QStringLiteral("%1, colonna n. %2").arg(where).arg(c + 1)));

    const QJsonValue rows = object.value(QStringLiteral("rows"));
    if (rows.isUndefined())
        return table;
    if (!rows.isArray())
        refuse(where, QStringLiteral("«rows» è un elenco di righe"));
    const QJsonArray rowArray = rows.toArray();
    table.rows.reserve(rowArray.size());
    for (qsizetype r = 0; r < rowArray.size(); ++r) {
        const QString rowWhere = QStringLiteral("%1, riga %2").arg(where).arg(r + 1);
        if (!rowArray[r].isArray())
            refuse(rowWhere, QStringLiteral("una riga è un elenco di valori"));
        const QJsonArray cells = rowArray[r].toArray();
        QVariantList row;
        row.reserve(cells.size());
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const QString column = c < table.columns.size() ? table.columns[c].name : QString::number(c + 1);
            row.append(parseValue(cells[c], QStringLiteral("%1, colonna «%2»").arg(rowWhere, column)));
        }
        table.rows.append(row);
    }
    return table;
}

} // namespace

Description parseDescription(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw JetWriteError(QStringLiteral("Descrizione JSON non leggibile: %1 al carattere %2.")
                                .arg(error.errorString())
                                .arg(error.offset));
    if (!document.isObject())
        throw JetWriteError(QStringLiteral("Descrizione JSON non valida: serve un oggetto con «format» e «tables»."));
    const QJsonObject root = document.object();
    checkKeys(root, {QStringLiteral("format"), QStringLiteral("tables")}, QStringLiteral("radice"));

    Description description;
    description.format = parseFormat(root.value(QStringLiteral("format")));
    const QJsonArray tables = requiredArray(root, QStringLiteral("tables"), QStringLiteral("radice"));
    for (qsizetype t = 0; t < tables.size(); ++t)
        description.tables.append(parseTable(tables[t], t));
    return description;
}

} // namespace jetwriter
