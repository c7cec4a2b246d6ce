#include "dberror.h"
#include "jetreader.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <cmath>

using namespace hoteldb;

namespace {

QString samplesDir()
{
    return qEnvironmentVariable("NAX_SOURCE_DIR") + QStringLiteral("/../shared/mdb-samples");
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

Value::Type expectedType(const QString &type)
{
    if (type == u"text" || type == u"memo")
        return Value::Type::Text;
    if (type == u"byte" || type == u"integer" || type == u"long")
        return Value::Type::Integer;
    if (type == u"double" || type == u"float" || type == u"currency" || type == u"numeric")
        return Value::Type::Real;
    if (type == u"datetime")
        return Value::Type::DateTime;
    if (type == u"boolean")
        return Value::Type::Boolean;
    return Value::Type::Binary;
}

// Jet keeps the time of day as a positive fraction even before 1899, when the whole days
// are negative.
qint64 jetDaysToMSecs(double days)
{
    constexpr qint64 kDay = 86400000;
    const double whole = std::trunc(days);
    const qint64 base = QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    return base + qint64(whole) * kDay + std::llround(std::fabs(days - whole) * kDay);
}

// Empty when the decoded cell holds what the independent reader read, else what differs.
QString cellDifference(const TableData &table, qsizetype row, int column, const QJsonValue &expected)
{
    const Value actual = table.value(row, column);
    const auto shown = [&actual]() -> QString {
        switch (actual.type()) {
        case Value::Type::Null:
            return QStringLiteral("Null");
        case Value::Type::Text:
            return QLatin1Char('"') + actual.textValue() + QLatin1Char('"');
        case Value::Type::Integer:
            return QString::number(actual.integerValue());
        case Value::Type::Boolean:
            return actual.booleanValue() ? QStringLiteral("true") : QStringLiteral("false");
        case Value::Type::Binary:
            return QString::fromLatin1(actual.binaryValue().toHex());
        case Value::Type::Real:
        case Value::Type::DateTime:
            return QString::number(actual.realValue(), 'g', 17);
        }
        return QString();
    };
    bool same = false;
    if (expected.isNull()) {
        same = actual.isNull();
    } else if (expected.isBool()) {
        same = actual.type() == Value::Type::Boolean && actual.booleanValue() == expected.toBool();
    } else if (expected.isObject() && expected.toObject().contains(u"$date")) {
        const QDateTime when = QDateTime::fromString(expected[u"$date"].toString(), Qt::ISODateWithMs);
        same = actual.type() == Value::Type::DateTime && jetDaysToMSecs(actual.realValue()) == when.toMSecsSinceEpoch();
    } else if (expected.isObject() && expected.toObject().contains(u"$binary")) {
        same = actual.type() == Value::Type::Binary
            && actual.binaryValue() == QByteArray::fromHex(expected[u"$binary"].toString().toLatin1());
    } else if (actual.type() == Value::Type::Text) {
        same = expected.isString() && actual.textValue() == expected.toString();
    } else if (actual.type() == Value::Type::Integer) {
        // Big whole numbers come as strings.
        same = qint64(expected.toDouble()) == actual.integerValue()
            || expected.toString().toLongLong() == actual.integerValue();
    } else if (actual.type() == Value::Type::Real) {
        // Currency and decimals come as exact decimal text.
        const double number = expected.isString() ? expected.toString().toDouble() : expected.toDouble();
        same = number == actual.realValue();
    }
    if (same)
        return QString();
    return QStringLiteral("row %1, column %2: expected %3, read %4")
        .arg(row + 1)
        .arg(table.columns()[column].name,
             QString::fromUtf8(QJsonDocument(QJsonArray{expected}).toJson(QJsonDocument::Compact)), shown());
}

// Every difference between a decoded table and its expected form, each naming the place.
QStringList tableDifferences(const TableData &table, const QJsonObject &expected)
{
    QStringList differences;
    const QJsonArray columns = expected[u"columns"].toArray();
    if (table.columnCount() != columns.size())
        return {QStringLiteral("%1 columns instead of %2").arg(table.columnCount()).arg(columns.size())};
    for (int c = 0; c < columns.size(); ++c) {
        const QString name = columns[c][u"name"].toString();
        const QString type = columns[c][u"type"].toString();
        if (table.columns()[c].name != name || table.columns()[c].type != expectedType(type)) {
            differences.append(QStringLiteral("column %1 is %2 of type %3, expected %4 (%5)")
                                   .arg(c + 1)
                                   .arg(table.columns()[c].name)
                                   .arg(int(table.columns()[c].type))
                                   .arg(name, type));
        }
    }
    const QJsonArray rows = expected[u"rows"].toArray();
    if (table.rowCount() != rows.size() || expected[u"rowCount"].toInt() != rows.size())
        differences.append(QStringLiteral("%1 rows instead of %2").arg(table.rowCount()).arg(rows.size()));
    if (!differences.isEmpty())
        return differences;
    for (qsizetype r = 0; r < table.rowCount(); ++r) {
        const QJsonArray row = rows[r].toArray();
        for (int c = 0; c < table.columnCount(); ++c) {
            const QString difference = cellDifference(table, r, c, row[c]);
            if (!difference.isEmpty())
                differences.append(difference);
        }
    }
    return differences;
}

} // namespace

class TestJetReader : public QObject
{
    Q_OBJECT

private slots:
    void readsFilesMadeByAccess_data();
    void readsFilesMadeByAccess();
};

void TestJetReader::readsFilesMadeByAccess_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(samplesDir());
    const QStringList files = dir.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("The folder of sample databases is not there.");
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << dir.filePath(file);
}

void TestJetReader::readsFilesMadeByAccess()
{
    QFETCH(QString, path);
    QString jsonPath = path;
    jsonPath.replace(QLatin1String(".mdb"), QLatin1String(".expected.json"));
    const QJsonObject expected = QJsonDocument::fromJson(readBytes(jsonPath))[u"tables"].toObject();

    const JetReader reader(path);
    QStringList names = reader.tableNames();
    names.sort();
    QCOMPARE(names, expected.keys());
    for (const QString &name : names) {
        const auto table = reader.readTable(name);
        QCOMPARE(table->name(), name);
        const QStringList differences = tableDifferences(*table, expected[name].toObject());
        QVERIFY2(differences.isEmpty(),
                 qPrintable(QStringLiteral("%1, table %2: %3")
                                .arg(QFileInfo(path).fileName(), name, differences.mid(0, 5).join(QStringLiteral("; ")))));
    }
}

QTEST_GUILESS_MAIN(TestJetReader)
#include "tst_jetreader.moc"
