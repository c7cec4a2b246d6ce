#include "damagedcopies.h"
#include "dberror.h"
#include "jetreader.h"
#include "jetwriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

using namespace hoteldb;

namespace {

QString samplesDir()
{
    return qEnvironmentVariable("NAX_SOURCE_DIR") + QStringLiteral("/../shared/mdb-samples");
}

// Databases that other programs wrote in real use, beside Access's samples.
QString realFilesDir()
{
    return qEnvironmentVariable("NAX_SOURCE_DIR") + QStringLiteral("/../shared/mdb-real");
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
    // "rowCount" is the count the table's definition stores, which Jet brings up to date lazily:
    // in psc_biodb_authors.mdb it says 192 where the pages hold 202 sound rows, which the
    // independent reader returns too. The rows on the pages are the table.
    const QJsonArray rows = expected[u"rows"].toArray();
    if (table.rowCount() != rows.size())
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

QString messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DbError &error) {
        return error.message();
    }
    return QString();
}

// The tables the independent reader found in a sample, by name, as it saw them.
QJsonObject expectedTables(const QString &path)
{
    QString jsonPath = path;
    jsonPath.replace(QLatin1String(".mdb"), QLatin1String(".expected.json"));
    return QJsonDocument::fromJson(readBytes(jsonPath))[u"tables"].toObject();
}

// The named tables of the reader, each as its columns' names and types followed by its rows, for
// comparing whole files.
using Tables = QMap<QString, QList<QList<Value>>>;
Tables readAll(const JetReader &reader, const QStringList &names)
{
    Tables tables;
    for (const QString &name : names) {
        const auto table = reader.readTable(name);
        QList<QList<Value>> rows(1);
        for (const ColumnInfo &column : table->columns())
            rows[0] << Value::text(column.name) << Value::integer(int(column.type));
        for (qsizetype r = 0; r < table->rowCount(); ++r) {
            QList<Value> &row = rows.emplace_back();
            for (int c = 0; c < table->columnCount(); ++c)
                row << table->value(r, c);
        }
        tables.insert(name, rows);
    }
    return tables;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The reader of a database image, written under its name into the folder.
JetReader readerOf(const QTemporaryDir &dir, const QString &name, const QByteArray &image)
{
    writeFile(dir.filePath(name), image);
    return JetReader(dir.filePath(name));
}

// Empty when the decoded cell holds what the Jet writer was given, else what differs.
QString writtenDifference(const TableData &table, qsizetype row, int column, const QVariant &written)
{
    const Value actual = table.value(row, column);
    bool same = false;
    switch (written.metaType().id()) {
    case QMetaType::UnknownType:
        same = actual.isNull();
        break;
    case QMetaType::QString:
        same = actual.type() == Value::Type::Text && actual.textValue() == written.toString();
        break;
    case QMetaType::Bool:
        same = actual.type() == Value::Type::Boolean && actual.booleanValue() == written.toBool();
        break;
    case QMetaType::Double:
        same = actual.type() == Value::Type::Real && actual.realValue() == written.toDouble();
        break;
    case QMetaType::QDateTime: {
        // The writer stores the clock time as written.
        const QDateTime when = written.toDateTime();
        same = actual.type() == Value::Type::DateTime
            && jetDaysToMSecs(actual.realValue()) == QDateTime(when.date(), when.time(), Qt::UTC).toMSecsSinceEpoch();
        break;
    }
    default:
        same = actual.type() == Value::Type::Integer && actual.integerValue() == written.toLongLong();
    }
    if (same)
        return QString();
    return QStringLiteral("%1, row %2, column %3: wrote %4")
        .arg(table.name())
        .arg(row + 1)
        .arg(table.columns()[column].name, written.toString().left(40));
}

QStringList writtenDifferences(const TableData &table, const jetwriter::Table &written)
{
    if (table.columnCount() != written.columns.size() || table.rowCount() != written.rows.size())
        return {QStringLiteral("%1: %2 rows of %3 columns").arg(table.name()).arg(table.rowCount()).arg(table.columnCount())};
    QStringList differences;
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.columns()[c].name != written.columns[c].name)
            differences.append(QStringLiteral("%1: column %2 is named %3").arg(table.name()).arg(c + 1).arg(table.columns()[c].name));
    }
    for (qsizetype r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            const QString difference = writtenDifference(table, r, c, written.rows[r][c]);
            if (!difference.isEmpty())
                differences.append(difference);
        }
    }
    return differences;
}

// Guest cards shaped like the hotel program's, with the values that tell readers apart.
jetwriter::Table guestCards(jetwriter::Format format)
{
    using jetwriter::ColumnType;
    jetwriter::Table table;
    table.name = QStringLiteral("Scheda_Cliente");
    table.columns = {{QStringLiteral("NumeroProgressivo"), ColumnType::Long},
                     {QStringLiteral("NumeroCamera"), ColumnType::Text, 10},
                     {QStringLiteral("NomeCliente"), ColumnType::Text, 60},
                     {QStringLiteral("Lingua"), ColumnType::Text, 5},
                     {QStringLiteral("Note"), ColumnType::Memo},
                     {QStringLiteral("Eta"), ColumnType::Byte},
                     {QStringLiteral("Anno"), ColumnType::Integer},
                     {QStringLiteral("Tariffa"), ColumnType::Double},
                     {QStringLiteral("Partito"), ColumnType::Boolean},
                     {QStringLiteral("Arrivo"), ColumnType::DateTime}};
    const auto at = [](int y, int m, int d, int h, int min) { return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC); };
    QString longNote;
    while (longNote.size() < 20000)
        longNote += QStringLiteral("àèìòù € “note” %1; ").arg(longNote.size());
    table.rows = {
        // Null and empty texts side by side: a Null Lingua and an empty one mean different things.
        {1, QStringLiteral("101"), QStringLiteral("Niccolò Pèrez"), QVariant(), QVariant(), 255, -32768, 444.555, true, at(1981, 12, 12, 0, 0)},
        {2, QString(), QStringLiteral("Zoë d’Arco – € 50"), QString(), QString(), 0, 32767, -0.5, false, at(1899, 12, 29, 6, 0)},
        {2147483647, QStringLiteral("9"), QStringLiteral("*** ***"), QStringLiteral("I*"),
         QStringLiteral("Arrivato in ritardo, è stanco."), 17, 2026, 1e300, true, at(1700, 1, 1, 12, 30)},
        // A memo over several long-value pages, and one that fits a single page.
        {qint64(-2147483648LL), QStringLiteral("10"), QVariant(), QStringLiteral("EN"), longNote, 1, 0, 0.0, false, at(2026, 12, 5, 23, 59)},
        {5, QStringLiteral("12"), QStringLiteral("Ospite"), QStringLiteral("DE"), longNote.left(1500), 2, -1, 1.0 / 3, true, at(9999, 12, 31, 0, 0)},
    };
    if (format == jetwriter::Format::Jet4)
        table.rows.append({6, QStringLiteral("14"), QStringLiteral("Мир 漢字 ϰαὶ ü"), QStringLiteral("RU"), QStringLiteral("Привет"), 3, 3, 3.0, false, at(2000, 2, 29, 1, 2)});
    // Enough cards for many data pages, with Null, empty and filled languages in turn.
    for (int i = 0; i < 3000; ++i) {
        const QVariant language = i % 3 == 0 ? QVariant() : QVariant(i % 3 == 1 ? QString() : QStringLiteral("IT"));
        table.rows.append({26000000 + i, QString::number(100 + i % 40), QStringLiteral("Ospite %1 %2").arg(i).arg(QString(i % 40, u'x')),
                           language, i % 7 == 0 ? QVariant(QStringLiteral("nota %1").arg(i)) : QVariant(), i % 256, i, i * 0.25,
                           i % 2 == 0, at(2026, 1 + i % 12, 1 + i % 28, i % 24, i % 60)});
    }
    return table;
}

// Rows long enough that Jet 3 needs several jumps in its table of offsets.
jetwriter::Table longRows()
{
    jetwriter::Table table;
    table.name = QStringLiteral("Lunghe");
    table.columns.append({QStringLiteral("Numero"), jetwriter::ColumnType::Long});
    for (int c = 1; c <= 4; ++c)
        table.columns.append({QStringLiteral("Testo%1").arg(c), jetwriter::ColumnType::Text, 255});
    for (int r = 0; r < 40; ++r) {
        QVariantList row = {r};
        for (int c = 1; c <= 4; ++c)
            row.append((r + c) % 5 == 0 ? QVariant() : QVariant(QString(50 * c + r, QChar(u'a' + c))));
        table.rows.append(row);
    }
    return table;
}

// A row for each database in the folder; false when there is none.
bool addRowsOfFolder(const QString &folder)
{
    QTest::addColumn<QString>("path");
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << dir.filePath(file);
    return !files.isEmpty();
}

// Every table, row and value of a database another program wrote, as the independent reader saw it.
void readsAsTheOtherReader(const QString &path)
{
    const QJsonObject expected = expectedTables(path);
    try {
        const JetReader reader(path);
        for (const QString &name : expected.keys()) {
            const auto table = reader.readTable(name);
            QCOMPARE(table->name(), name);
            const QStringList differences = tableDifferences(*table, expected[name].toObject());
            QVERIFY2(differences.isEmpty(),
                     qPrintable(QStringLiteral("%1, table %2: %3")
                                    .arg(QFileInfo(path).fileName(), name, differences.mid(0, 5).join(QStringLiteral("; ")))));
        }
    } catch (const DbError &error) {
        QFAIL(qPrintable(error.message()));
    }
}

} // namespace

class TestJetReader : public QObject
{
    Q_OBJECT

private slots:
    void readsAccessSamples_data();
    void readsAccessSamples();
    void readsRealFiles_data();
    void readsRealFiles();
    void reportsFilesItCannotRead();
    void reportsMissingTables();
    void findsTablesWhateverTheCase();
    void reportsTruncatedFiles_data();
    void reportsTruncatedFiles();
    void readsFilesItMayNotWrite();
    void readsWhatTheWriterWrote_data();
    void readsWhatTheWriterWrote();
    void readsNamesWhateverTheEnvironment_data();
    void readsNamesWhateverTheEnvironment();
    void readsTablesWhateverTheirStoredCount_data();
    void readsTablesWhateverTheirStoredCount();
};

// Access's samples.
void TestJetReader::readsAccessSamples_data()
{
    if (!addRowsOfFolder(samplesDir()))
        QSKIP("The folder of sample databases is not there.");
}

void TestJetReader::readsAccessSamples()
{
    QFETCH(QString, path);
    readsAsTheOtherReader(path);
}

// The databases of real programs, kept apart: they may be missing where the samples are not.
void TestJetReader::readsRealFiles_data()
{
    if (!addRowsOfFolder(realFilesDir()))
        QSKIP("The folder of databases from real use is not there.");
}

void TestJetReader::readsRealFiles()
{
    QFETCH(QString, path);
    readsAsTheOtherReader(path);
}

void TestJetReader::reportsFilesItCannotRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = QDir::toNativeSeparators(dir.path());

    QCOMPARE(messageOf([&] { JetReader(dir.filePath(QStringLiteral("Scheda_Cliente.mdb"))); }),
             QStringLiteral("Il database Scheda_Cliente.mdb non esiste nella cartella di lavoro (%1).").arg(folder));

    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Comuni.mdb")));
    QCOMPARE(messageOf([&] { JetReader(dir.filePath(QStringLiteral("Comuni.mdb"))); }),
             QStringLiteral("Il database Comuni.mdb non si può leggere (%1).")
                 .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("Comuni.mdb")))));

    // Empty, plain text, and a page of another format that starts like a Jet file.
    QByteArray aceHeader(4096, '\0');
    aceHeader.replace(0, 20, QByteArray("\0\1\0\0Standard ACE DB\0", 20));
    for (const QByteArray &content : {QByteArray(), QByteArray("NumeroHotel;NumeroCamera\r\n1;101\r\n"), aceHeader}) {
        const QString path = dir.filePath(QStringLiteral("NumeriCamere.mdb"));
        writeFile(path, content);
        QCOMPARE(messageOf([&] { JetReader{path}; }),
                 QStringLiteral("Il file NumeriCamere.mdb non è un database Jet oppure è danneggiato."));
    }
}

void TestJetReader::reportsMissingTables()
{
    if (!QFileInfo::exists(samplesDir()))
        QSKIP("The folder of sample databases is not there.");
    const JetReader reader(samplesDir() + QStringLiteral("/testV1997.mdb"));
    QCOMPARE(messageOf([&] { reader.readTable(QStringLiteral("Scheda_Cliente")); }),
             QStringLiteral("Nel database testV1997.mdb manca la tabella Scheda_Cliente: il database è danneggiato "
                            "oppure non è un archivio del programma alberghiero."));
    // System tables are not the caller's to read.
    QCOMPARE(messageOf([&] { reader.readTable(QStringLiteral("MSysObjects")); }),
             QStringLiteral("Nel database testV1997.mdb manca la tabella MSysObjects: il database è danneggiato "
                            "oppure non è un archivio del programma alberghiero."));
}

void TestJetReader::findsTablesWhateverTheCase()
{
    if (!QFileInfo::exists(samplesDir()))
        QSKIP("The folder of sample databases is not there.");
    const JetReader reader(samplesDir() + QStringLiteral("/indexTestV2003.mdb"));
    const auto table = reader.readTable(QStringLiteral("TABLE2"));
    QCOMPARE(table->name(), QStringLiteral("Table2"));
    QCOMPARE(table->rowCount(), 3);
}

void TestJetReader::reportsTruncatedFiles_data()
{
    QTest::addColumn<QString>("path");
    if (!QFileInfo::exists(samplesDir()))
        QSKIP("The folder of sample databases is not there.");
    // Jet 3 with a long row and memos, Jet 4 with memos and an OLE field, rows moved to other pages.
    for (const char *name : {"test2V1997.mdb", "test2V2000.mdb", "overflowTestV2000.mdb", "testV1997.mdb"})
        QTest::newRow(name) << samplesDir() + QLatin1Char('/') + QLatin1String(name);
}

// Cut at every page and at points inside pages, a file is either reported as damaged or,
// when only unused pages were cut, read exactly as before: never misread, never a crash.
void TestJetReader::reportsTruncatedFiles()
{
    QFETCH(QString, path);
    const QByteArray image = readBytes(path);
    const QStringList names = expectedTables(path).keys();
    const Tables whole = readAll(JetReader(path), names);
    QTemporaryDir dir;
    const int pageSize = path.contains(QLatin1String("1997")) ? 2048 : 4096;
    const QString notJet = QStringLiteral("Il file Tagliato.mdb non è un database Jet oppure è danneggiato.");

    QList<qsizetype> inside = {0, 100, pageSize / 2, pageSize + 1, image.size() - 1};
    int damaged = 0;
    for (qsizetype cut = pageSize; cut <= image.size(); cut += pageSize) {
        QString message;
        try {
            const Tables tables = readAll(readerOf(dir, QStringLiteral("Tagliato.mdb"), image.left(cut)), names);
            QVERIFY2(tables == whole, qPrintable(QStringLiteral("cut at %1 bytes read differently").arg(cut)));
        } catch (const DbError &error) {
            message = error.message();
        }
        if (!message.isEmpty()) {
            ++damaged;
            QVERIFY2(message == notJet || message.startsWith(QStringLiteral("Il database Tagliato.mdb è danneggiato: ")),
                     qPrintable(message));
        }
    }
    QVERIFY(damaged > 0);
    for (const qsizetype cut : inside)
        QCOMPARE(messageOf([&] { readerOf(dir, QStringLiteral("Tagliato.mdb"), image.left(cut)); }), notJet);
}

void TestJetReader::readsFilesItMayNotWrite()
{
    if (!QFileInfo::exists(samplesDir()))
        QSKIP("The folder of sample databases is not there.");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Comuni.mdb"));
    const QByteArray image = readBytes(samplesDir() + QStringLiteral("/indexTestV1997.mdb"));
    writeFile(path, image);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    const QDateTime modified = QFileInfo(path).lastModified();

    const JetReader reader(path);
    QCOMPARE(reader.readTable(QStringLiteral("Table1"))->rowCount(), 4);
    QCOMPARE(readBytes(path), image);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void TestJetReader::readsWhatTheWriterWrote_data()
{
    QTest::addColumn<jetwriter::Format>("format");
    QTest::newRow("Jet 3") << jetwriter::Format::Jet3;
    QTest::newRow("Jet 4") << jetwriter::Format::Jet4;
}

void TestJetReader::readsWhatTheWriterWrote()
{
    QFETCH(jetwriter::Format, format);
    jetwriter::Description description;
    description.format = format;
    description.tables = {guestCards(format), longRows()};
    QTemporaryDir dir;
    try {
        const JetReader reader = readerOf(dir, QStringLiteral("Scheda_Cliente.mdb"), jetwriter::writeDatabase(description));
        for (const jetwriter::Table &written : description.tables) {
            const QStringList differences = writtenDifferences(*reader.readTable(written.name), written);
            QVERIFY2(differences.isEmpty(), qPrintable(differences.mid(0, 5).join(QStringLiteral("; "))));
        }
    } catch (const DbError &error) {
        QFAIL(qPrintable(error.message()));
    }
}

void TestJetReader::readsNamesWhateverTheEnvironment_data()
{
    readsWhatTheWriterWrote_data();
}

// Other readers of these files convert names as two environment variables say; a value left there
// by such a program must not change what the tool reads.
void TestJetReader::readsNamesWhateverTheEnvironment()
{
    QFETCH(jetwriter::Format, format);
    jetwriter::Description description;
    description.format = format;
    description.tables = {{QStringLiteral("Città"),
                           {{QStringLiteral("Località"), jetwriter::ColumnType::Text, 20},
                            {QStringLiteral("Perché"), jetwriter::ColumnType::Long}},
                           {{QStringLiteral("Forlì"), 1}}}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Comuni.mdb"));
    writeFile(path, jetwriter::writeDatabase(description));
    qputenv("MDBICONV", "ISO-8859-1");
    qputenv("MDB_JET3_CHARSET", "CP850");
    const JetReader reader(path);
    qunsetenv("MDBICONV");
    qunsetenv("MDB_JET3_CHARSET");

    const auto table = reader.readTable(QStringLiteral("città"));
    QCOMPARE(table->columns()[0].name, QStringLiteral("Località"));
    QCOMPARE(table->columns()[1].name, QStringLiteral("Perché"));
    QCOMPARE(table->value(0, 0), Value::text(QStringLiteral("Forlì")));
}

void TestJetReader::readsTablesWhateverTheirStoredCount_data()
{
    QTest::addColumn<jetwriter::Format>("format");
    QTest::addColumn<int>("uncountedRows");
    QTest::addColumn<qint64>("countChange");
    // As a crash leaves it: rows added after the count was written.
    QTest::newRow("Jet 3, rows added after the count") << jetwriter::Format::Jet3 << 3 << qint64(0);
    QTest::newRow("Jet 4, rows added after the count") << jetwriter::Format::Jet4 << 10 << qint64(0);
    QTest::newRow("Jet 4, count one higher") << jetwriter::Format::Jet4 << 0 << qint64(1);
    QTest::newRow("Jet 3, count far higher") << jetwriter::Format::Jet3 << 0 << qint64(100000);
    QTest::newRow("Jet 4, count zero") << jetwriter::Format::Jet4 << 0 << qint64(-3006);
}

// The row count a table's definition stores lags behind its pages after an interrupted save;
// the pages are the table, whatever the count says.
void TestJetReader::readsTablesWhateverTheirStoredCount()
{
    QFETCH(jetwriter::Format, format);
    QFETCH(int, uncountedRows);
    QFETCH(qint64, countChange);
    jetwriter::Description description;
    description.format = format;
    description.tables = {guestCards(format)};
    description.tables[0].uncountedRows = uncountedRows;
    QByteArray image = jetwriter::writeDatabase(description);
    const jet::Format &layout = jet::formatOf(format == jetwriter::Format::Jet3 ? jet::Version::Jet3 : jet::Version::Jet4);
    const quint32 definition = damagedcopies::pagesByKind(image, layout.pageSize).value(QStringLiteral("definizione di tabella")).value(0);
    const qsizetype countAt = qsizetype(definition) * layout.pageSize + layout.rowCount;
    const qint64 stored = damagedcopies::word32(image, countAt) + countChange;
    damagedcopies::put32(image, countAt, quint32(stored));
    QVERIFY(stored != description.tables[0].rows.size());

    QTemporaryDir dir;
    try {
        const JetReader reader = readerOf(dir, QStringLiteral("Scheda_Cliente.mdb"), image);
        const QStringList differences = writtenDifferences(*reader.readTable(QStringLiteral("Scheda_Cliente")), description.tables[0]);
        QVERIFY2(differences.isEmpty(), qPrintable(differences.mid(0, 5).join(QStringLiteral("; "))));
    } catch (const DbError &error) {
        QFAIL(qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TestJetReader)
#include "tst_jetreader.moc"
