#include "demohotel.h"

#include "jetwriter.h"
#include "jetwriteerror.h"
#include "descriptionparser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <stdexcept>

namespace demo {

namespace {

[[noreturn]] void refuse(const QString &problem)
{
    throw std::runtime_error(QStringLiteral("Modello dell'hotel dimostrativo: %1").arg(problem).toStdString());
}

QJsonValue expanded(const QJsonValue &value, QDate today)
{
    if (value.isArray()) {
        QJsonArray out;
        for (const QJsonValue &item : value.toArray())
            out.append(expanded(item, today));
        return out;
    }
    if (value.isObject()) {
        QJsonObject out = value.toObject();
        for (auto it = out.begin(); it != out.end(); ++it)
            it.value() = expanded(it.value(), today);
        return out;
    }
    static const QRegularExpression day(QStringLiteral("^@([+-]?[0-9]+)(?:#([0-9]+))?$"));
    const QRegularExpressionMatch match = day.match(value.toString());
    if (!value.isString() || !match.hasMatch())
        return value;
    const QDate date = today.addDays(match.captured(1).toInt());
    if (!match.hasCaptured(2))
        return date.toString(u"yyyyMMdd");
    return double(date.year() % 100) * 1000000 + match.captured(2).toDouble();
}

} // namespace

QList<std::pair<QString, jetwriter::Description>> demoDatabases(const QByteArray &templateJson, QDate today)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(templateJson, &error);
    if (error.error != QJsonParseError::NoError)
        refuse(QStringLiteral("JSON non valido alla posizione %1: %2").arg(error.offset).arg(error.errorString()));
    const QJsonValue databases = document.object().value(QStringLiteral("databases"));
    if (!databases.isObject() || databases.toObject().isEmpty())
        refuse(QStringLiteral("manca l'oggetto «databases» con i file da scrivere"));

    QList<std::pair<QString, jetwriter::Description>> out;
    const QJsonObject files = databases.toObject();
    for (auto it = files.begin(); it != files.end(); ++it) {
        // Only bare names: the files go into the demo folder and nowhere else.
        if (!it.key().endsWith(QStringLiteral(".mdb")) || it.key().contains(u'/') || it.key().contains(u'\\'))
            refuse(QStringLiteral("«%1» non è il nome di un file .mdb").arg(it.key()));
        const QJsonObject description = expanded(it.value(), today).toObject();
        try {
            out.append({it.key(), jetwriter::parseDescription(QJsonDocument(description).toJson())});
        } catch (const jetwriter::JetWriteError &e) {
            refuse(QStringLiteral("«%1»: %2").arg(it.key(), e.message()));
        }
    }
    return out;
}

void writeDemoHotel(const QByteArray &templateJson, const QDir &folder, QDate today)
{
    for (const auto &[name, description] : demoDatabases(templateJson, today))
        jetwriter::writeDatabaseFile(description, folder.filePath(name));
}

} // namespace demo
