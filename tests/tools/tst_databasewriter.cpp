#include "databasewriter.h"
#include "jetwriteerror.h"
#include "mdbcommand.h"

#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <limits>
#include <vector>

using namespace jetwriter;

Q_DECLARE_METATYPE(jetwriter::Column)
Q_DECLARE_METATYPE(jetwriter::Format)
Q_DECLARE_METATYPE(jetwriter::Description)

namespace {

const QString kIsoDateTime = u"%Y-%m-%dT%H:%M:%S"_qs;

void addFormats()
{
    QTest::addColumn<Format>("format");
    QTest::newRow("Jet 4") << Format::Jet4;
    QTest::newRow("Jet 3") << Format::Jet3;
}

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// What mdb-json prints for a row: no key for Null or empty values, booleans as 1 and 0,
// numbers as numbers, date-times in the format it is given.
QJsonObject expectedJson(const Table &table, const QVariantList &row)
{
    QJsonObject object;
    for (int i = 0; i < row.size(); ++i) {
        const QVariant &value = row[i];
        const QString &name = table.columns[i].name;
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::QString:
            if (!value.toString().isEmpty())
                object.insert(name, value.toString());
            break;
        case QMetaType::Bool:
            object.insert(name, value.toBool() ? 1 : 0);
            break;
        case QMetaType::QDateTime:
            object.insert(name, value.toDateTime().toString(u"yyyy-MM-ddTHH:mm:ss"));
            break;
        default:
            object.insert(name, value.toDouble());
        }
    }
    return object;
}

// Which values of each row are Null, as libmdb's own row decoder finds them: its export
// tools print a Null and an empty text alike.
QList<QList<bool>> storedNulls(const QString &path, const QString &tableName)
{
    QList<QList<bool>> rows;
    MdbHandle *mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!mdb)
        return rows;
    QByteArray name = tableName.toUtf8();
    if (MdbTableDef *table = mdb_read_table_by_name(mdb, name.data(), MDB_TABLE)) {
        mdb_read_columns(table);
        mdb_rewind_table(table);
        std::vector<MdbField> fields(table->num_cols);
        while (mdb_fetch_row(table)) {
            int start = 0;
            size_t length = 0;
            mdb_find_row(mdb, int(table->cur_row) - 1, &start, &length);
            mdb_crack_row(table, start & 0x1FFF, length, fields.data());
            QList<bool> nulls;
            for (const MdbField &field : fields)
                nulls.append(field.is_null);
            rows.append(nulls);
        }
        mdb_free_tabledef(table);
    }
    mdb_close(mdb);
    return rows;
}

} // namespace

class TstDatabaseWriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsBackEveryType_data() { addFormats(); }
    void readsBackEveryType();
    void keepsNullApartFromEmptyText_data() { addFormats(); }
    void keepsNullApartFromEmptyText();
    void storesMemosOfEveryLength_data() { addFormats(); }
    void storesMemosOfEveryLength();
    void spansThousandsOfRows_data() { addFormats(); }
    void spansThousandsOfRows();
    void jet3RowsAroundOffsetBoundaries();
    void definesTablesOfManyColumns_data() { addFormats(); }
    void definesTablesOfManyColumns();
    void listsTablesAndColumns_data() { addFormats(); }
    void listsTablesAndColumns();
    void sameDescriptionSameBytes();
    void refusesValuesItCannotStore_data();
    void refusesValuesItCannotStore();
    void refusesTablesItCannotDefine_data();
    void refusesTablesItCannotDefine();
    void keepsTheOldFileOnFailure();

private:
    QString write(const Description &description);
    void compareRows(const QString &path, const Table &table);

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TstDatabaseWriter::initTestCase()
{
    // An Italian clock, whose change to summer time skips 02:00 to 03:00 on 31 March 2024.
    qputenv("TZ", "Europe/Rome");
    tzset();
    QVERIFY(!QDateTime(QDate(2024, 3, 31), QTime(2, 30)).isValid());
    QVERIFY(m_dir.isValid());
}

QString TstDatabaseWriter::write(const Description &description)
{
    const QString path = m_dir.filePath(u"db%1.mdb"_qs.arg(++m_files));
    writeDatabaseFile(description, path);
    return path;
}

void TstDatabaseWriter::compareRows(const QString &path, const Table &table)
{
    const CommandRun run = runCommand(u"mdb-json"_qs, {u"-T"_qs, kIsoDateTime, path, table.name});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size() - 1, table.rows.size());
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        const QJsonObject expected = expectedJson(table, table.rows[r]);
        QVERIFY2(QJsonDocument::fromJson(lines[r]).object() == expected,
                 qPrintable(u"row %1: %2, expected %3"_qs.arg(r + 1).arg(
                     QString::fromUtf8(lines[r]), QString::fromUtf8(QJsonDocument(expected).toJson(QJsonDocument::Compact)))));
    }
}

void TstDatabaseWriter::readsBackEveryType()
{
    QFETCH(Format, format);
    Table cards{u"Scheda_Cliente"_qs,
                {{u"NomeCliente"_qs, ColumnType::Text, 40},
                 {u"NumeroHotel"_qs, ColumnType::Long},
                 {u"PostiLetto"_qs, ColumnType::Byte},
                 {u"Anno"_qs, ColumnType::Integer},
                 {u"Prezzo"_qs, ColumnType::Double},
                 {u"Partito"_qs, ColumnType::Boolean},
                 {u"Arrivo"_qs, ColumnType::DateTime},
                 {u"Note"_qs, ColumnType::Memo}},
                {{u"Città di Castello"_qs, 1, 0, -32768, 0.1, true, at(2024, 5, 1, 10, 20, 30), u"l'albergo \"Sole\""_qs},
                 {u"à è é ì ò ù ´ €"_qs, std::numeric_limits<qint32>::min(), 255, 32767, -1234.5678, false,
                  at(1900, 1, 1, 12), u"àèéìòù, \"virgolette\""_qs},
                 {u"D'Annunzio \"il Vate\""_qs, std::numeric_limits<qint32>::max(), 7, 0, 1e-300, true,
                  u"2699-12-31T23:59:59"_qs, QVariant()},
                 {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), false, QVariant(), QVariant()},
                 {u"Ora legale"_qs, 3, 2, 2, 2.0, false, u"2024-03-31T02:30:00"_qs, u""_qs}}};
    if (format == Format::Jet4)
        cards.rows.append({u"Ελλάδα 漢字"_qs, 2, 1, 1, 2.5, true, at(1899, 12, 30), u"Москва"_qs});

    const QString path = write({format, {cards}});

    // ISO texts read back as the clock times they name, even one the local clock skips.
    cards.rows[2][6] = at(2699, 12, 31, 23, 59, 59);
    cards.rows[4][6] = QDateTime(QDate(2024, 3, 31), QTime(2, 30), Qt::UTC);
    compareRows(path, cards);
}

void TstDatabaseWriter::keepsNullApartFromEmptyText()
{
    QFETCH(Format, format);
    const Table table{u"Partenze"_qs,
                      {{u"DataPartenzaReale"_qs, ColumnType::Text, 8}, {u"Note"_qs, ColumnType::Memo}},
                      {{u""_qs, u""_qs}, {QVariant(), QVariant()}, {u"20240501"_qs, u"ok"_qs}}};
    const QString path = write({format, {table}});

    const QList<QList<bool>> nulls{{false, false}, {true, true}, {false, false}};
    QCOMPARE(storedNulls(path, table.name), nulls);
    compareRows(path, table);
}

void TstDatabaseWriter::storesMemosOfEveryLength()
{
    QFETCH(Format, format);
    // Around the limits: inline values, one long value page, chains of pages, and Jet 4
    // memos past 1024 characters, stored uncompressed.
    Table table{u"Memo"_qs, {{u"Lunghezza"_qs, ColumnType::Long}, {u"Testo"_qs, ColumnType::Memo}}, {}};
    const QString pattern = u"àbcdefghi "_qs;
    for (int length : {0, 1, 62, 63, 64, 65, 1024, 1025, 2036, 2037, 2040, 2041, 20000}) {
        const QString text = pattern.repeated(length / pattern.size() + 1).left(length);
        table.rows.append({length, text});
    }
    compareRows(write({format, {table}}), table);
}

void TstDatabaseWriter::spansThousandsOfRows()
{
    QFETCH(Format, format);
    Table guests{u"Ospiti"_qs,
                 {{u"NumeroProgressivo"_qs, ColumnType::Long},
                  {u"A"_qs, ColumnType::Text, 100},
                  {u"B"_qs, ColumnType::Text, 100},
                  {u"C"_qs, ColumnType::Text, 100},
                  {u"D"_qs, ColumnType::Text, 100}},
                 {}};
    for (int r = 0; r < 8000; ++r) {
        const QString text = u"%1 ospite è arrivato "_qs.arg(r).repeated(5).left(100);
        guests.rows.append({r, text, text, r % 7 ? QVariant(text.left(r % 100)) : QVariant(), text});
    }
    const QString path = write({format, {guests}});
    // More pages than an inline usage map covers (512 in Jet 4, 1024 in Jet 3), so that
    // the table's map refers to bitmap pages.
    QVERIFY(QFileInfo(path).size() > (format == Format::Jet4 ? 512 * 4096 : 1024 * 2048));
    compareRows(path, guests);

    const CommandRun export_ = runCommand(u"mdb-export"_qs, {path, guests.name});
    QCOMPARE(export_.err, QByteArray());
    QCOMPARE(export_.out.count('\n'), 8001);
}

void TstDatabaseWriter::jet3RowsAroundOffsetBoundaries()
{
    // Rows of every length around 256 and 512 bytes, with and without the padding entry
    // the jump table then needs.
    Table table{u"Salti"_qs,
                {{u"A"_qs, ColumnType::Text, 255}, {u"B"_qs, ColumnType::Text, 255}, {u"C"_qs, ColumnType::Text, 255}},
                {}};
    for (int a = 0; a < 256; ++a)
        table.rows.append({QString(a, u'a'), QString(a * 7 % 256, u'b'), QString(255 - a, u'c')});
    compareRows(write({Format::Jet3, {table}}), table);
}

void TstDatabaseWriter::definesTablesOfManyColumns()
{
    QFETCH(Format, format);
    // A definition over several pages, and more usage maps than one page holds.
    const QList<ColumnType> types{ColumnType::Byte, ColumnType::Text, ColumnType::Long, ColumnType::Memo};
    Table wide{u"Larga"_qs, {}, {{}, {}}};
    for (int i = 0; i < 255; ++i) {
        const ColumnType type = types[i % types.size()];
        wide.columns.append({u"Colonna_%1_"_qs.arg(i, 3, 10, QLatin1Char('0')).leftJustified(64, u'x'), type, 20});
        const QVariant value = type == ColumnType::Byte ? QVariant(i) : type == ColumnType::Long ? QVariant(-i) : QVariant(u"v%1"_qs.arg(i));
        wide.rows[0].append(value);
        wide.rows[1].append(i % 3 ? value : QVariant());
    }
    compareRows(write({format, {wide}}), wide);
}

void TstDatabaseWriter::listsTablesAndColumns()
{
    QFETCH(Format, format);
    const Table rooms{u"NumeriCamere"_qs,
                      {{u"NumeroHotel"_qs, ColumnType::Long}, {u"PostiLetto"_qs, ColumnType::Integer},
                       {u"Doppia"_qs, ColumnType::Boolean}},
                      {{1, 2, true}, {1, 258, false}, {QVariant(), QVariant(), true}}};
    const Table empty{u"TipiCamere"_qs, {{u"Sigla"_qs, ColumnType::Text, 5}, {u"Tipologia"_qs, ColumnType::Memo}}, {}};
    const QString path = write({format, {rooms, empty}});

    const CommandRun version = runCommand(u"mdb-ver"_qs, {path});
    QCOMPARE(version.out, format == Format::Jet4 ? QByteArray("JET4\n") : QByteArray("JET3\n"));
    const CommandRun tables = runCommand(u"mdb-tables"_qs, {u"-1"_qs, path});
    QCOMPARE(tables.out, QByteArray("NumeriCamere\nTipiCamere\n"));
    const CommandRun all = runCommand(u"mdb-tables"_qs, {u"-1"_qs, u"-S"_qs, path});
    QCOMPARE(all.out, QByteArray("MSysObjects\nNumeriCamere\nTipiCamere\n"));

    const CommandRun schema = runCommand(u"mdb-schema"_qs, {u"-T"_qs, u"TipiCamere"_qs, path});
    QCOMPARE(schema.err, QByteArray());
    QVERIFY2(schema.out.contains("[Sigla]\t\t\tText (5)") && schema.out.contains("[Tipologia]\t\t\tMemo"),
             schema.out.constData());
    compareRows(path, rooms); // a table of fixed columns only
    compareRows(path, empty);
}

void TstDatabaseWriter::sameDescriptionSameBytes()
{
    const Description description{Format::Jet4,
                                  {{u"T"_qs, {{u"A"_qs, ColumnType::Text, 10}}, {{u"uno"_qs}, {u"due"_qs}}}}};
    const QByteArray first = writeDatabase(description);
    QCOMPARE(writeDatabase(description), first);
    QCOMPARE(first.size() % 4096, 0);
}

void TstDatabaseWriter::refusesValuesItCannotStore_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<Column>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("reason");

    const Column text{u"Campo"_qs, ColumnType::Text, 3};
    const Column memo{u"Campo"_qs, ColumnType::Memo};
    const Column byte{u"Campo"_qs, ColumnType::Byte};
    const Column integer{u"Campo"_qs, ColumnType::Integer};
    const Column longInteger{u"Campo"_qs, ColumnType::Long};
    const Column real{u"Campo"_qs, ColumnType::Double};
    const Column boolean{u"Campo"_qs, ColumnType::Boolean};
    const Column dateTime{u"Campo"_qs, ColumnType::DateTime};
    const Format jet4 = Format::Jet4;

    QTest::newRow("text longer than its size") << jet4 << text << QVariant(u"abcd"_qs) << u"supera la dimensione 3"_qs;
    QTest::newRow("byte above 255") << jet4 << byte << QVariant(256) << u"da 0 a 255"_qs;
    QTest::newRow("negative byte") << jet4 << byte << QVariant(-1) << u"da 0 a 255"_qs;
    QTest::newRow("integer out of range") << jet4 << integer << QVariant(32768) << u"da -32768 a 32767"_qs;
    QTest::newRow("long out of range") << jet4 << longInteger << QVariant(qint64(1) << 31) << u"2147483647"_qs;
    QTest::newRow("unsigned beyond 64 bits") << jet4 << longInteger << QVariant(std::numeric_limits<quint64>::max())
                                             << u"fuori dall'intervallo"_qs;
    QTest::newRow("fraction for a long") << jet4 << longInteger << QVariant(2.5) << u"intero lungo"_qs;
    QTest::newRow("text for a long") << jet4 << longInteger << QVariant(u"12"_qs) << u"intero lungo"_qs;
    QTest::newRow("number for a text") << jet4 << text << QVariant(12) << u"colonna testo"_qs;
    QTest::newRow("Null boolean") << jet4 << boolean << QVariant() << u"Null"_qs;
    QTest::newRow("number for a boolean") << jet4 << boolean << QVariant(1) << u"sì/no"_qs;
    QTest::newRow("date not in ISO form") << jet4 << dateTime << QVariant(u"01/05/2024"_qs) << u"ISO 8601"_qs;
    QTest::newRow("year past 9999") << jet4 << dateTime << QVariant(at(10000, 1, 1)) << u"da 100 a 9999"_qs;
    QTest::newRow("infinite double") << jet4 << real << QVariant(std::numeric_limits<double>::infinity())
                                     << u"finito"_qs;
    QTest::newRow("whole number a double would round") << jet4 << real << QVariant((qint64(1) << 53) + 1)
                                                       << u"esattamente"_qs;
    QTest::newRow("NUL character") << jet4 << text << QVariant(QString(u"a\0b"_qs)) << u"U+0000"_qs;
    QTest::newRow("Jet 3 text outside Windows-1252") << Format::Jet3 << text << QVariant(u"ā"_qs) << u"U+0101"_qs;
    QTest::newRow("Jet 3 memo outside Windows-1252") << Format::Jet3 << memo << QVariant(u"漢字"_qs)
                                                     << u"Windows-1252"_qs;
}

void TstDatabaseWriter::refusesValuesItCannotStore()
{
    QFETCH(Format, format);
    QFETCH(Column, column);
    QFETCH(QVariant, value);
    QFETCH(QString, reason);

    const QVariant good = column.type == ColumnType::Boolean ? QVariant(true) : QVariant();
    const Table table{u"Ospiti"_qs, {{u"Id"_qs, ColumnType::Long}, column}, {{1, good}, {2, value}}};
    try {
        writeDatabase({format, {table}});
        QFAIL("the value was stored");
    } catch (const JetWriteError &error) {
        const QString message = error.message();
        QVERIFY2(message.startsWith(u"Tabella «Ospiti», riga 2, colonna «Campo»: "_qs) && message.contains(reason),
                 qPrintable(message));
    }
}

void TstDatabaseWriter::refusesTablesItCannotDefine_data()
{
    QTest::addColumn<Description>("description");
    QTest::addColumn<QString>("message");

    const Column id{u"Id"_qs, ColumnType::Long};
    const auto table = [&](const QString &name, QList<Column> columns = {}) {
        return Table{name, columns.isEmpty() ? QList<Column>{id} : columns, {}};
    };
    QList<Column> tooMany;
    for (int i = 0; i < 256; ++i)
        tooMany.append({u"C%1"_qs.arg(i), ColumnType::Byte});
    QList<Column> wideTexts;
    for (int i = 0; i < 9; ++i)
        wideTexts.append({u"T%1"_qs.arg(i), ColumnType::Text, 255});
    const QVariantList jet4Wide(9, QString(255, QChar(0x0101))); // not compressible: 510 bytes each
    const QVariantList jet3Wide(9, QString(255, u'a'));
    QList<Column> wideFixed;
    QVariantList wideFixedRow;
    for (int i = 0; i < 64; ++i) {
        wideFixed.append({u"D%1"_qs.arg(i), ColumnType::Double});
        wideFixedRow.append(1.5);
    }
    wideFixed.append({u"Nome"_qs, ColumnType::Text, 10});
    wideFixedRow.append(u"x"_qs);

    QTest::newRow("same table twice") << Description{Format::Jet4, {table(u"Ospiti"_qs), table(u"OSPITI"_qs)}}
                                      << u"«OSPITI» compare più volte"_qs;
    QTest::newRow("same column twice")
        << Description{Format::Jet4, {table(u"T"_qs, {id, {u"id"_qs, ColumnType::Text, 5}})}} << u"nome ripetuto"_qs;
    QTest::newRow("empty name") << Description{Format::Jet4, {table(QString())}} << u"il nome è vuoto"_qs;
    QTest::newRow("dot in a name") << Description{Format::Jet4, {table(u"Tab.1"_qs)}} << u"U+002E"_qs;
    QTest::newRow("system name") << Description{Format::Jet4, {table(u"MSysObjects"_qs)}} << u"riservati"_qs;
    QTest::newRow("no columns") << Description{Format::Jet4, {Table{u"T"_qs, {}, {}}}} << u"da 1 a 255, non 0"_qs;
    QTest::newRow("too many columns") << Description{Format::Jet4, {table(u"T"_qs, tooMany)}} << u"non 256"_qs;
    QTest::newRow("text size 0")
        << Description{Format::Jet4, {table(u"T"_qs, {{u"A"_qs, ColumnType::Text, 0}})}} << u"da 1 a 255"_qs;
    QTest::newRow("text size 256")
        << Description{Format::Jet4, {table(u"T"_qs, {{u"A"_qs, ColumnType::Text, 256}})}} << u"non 256"_qs;
    QTest::newRow("Jet 3 name outside Windows-1252")
        << Description{Format::Jet3, {table(u"Città_ā"_qs)}} << u"Windows-1252"_qs;
    QTest::newRow("row of the wrong width")
        << Description{Format::Jet4, {Table{u"T"_qs, {id}, {{1}, {2, 3}}}}} << u"«T», riga 2: la riga ha 2 valori"_qs;
    QTest::newRow("Jet 4 row longer than a page")
        << Description{Format::Jet4, {Table{u"T"_qs, wideTexts, {jet4Wide}}}}
        << u"riga 1: la riga occupa 4616 byte, oltre i 4080"_qs;
    QTest::newRow("Jet 3 row longer than a page")
        << Description{Format::Jet3, {Table{u"T"_qs, wideTexts, {jet3Wide}}}} << u"oltre i 2036"_qs;
    // Jet 3 jump entries name one offset each, so the first variable value cannot lie
    // two boundaries past the start of the row.
    QTest::newRow("Jet 3 fixed part past 511 bytes")
        << Description{Format::Jet3, {Table{u"T"_qs, wideFixed, {wideFixedRow}}}} << u"riga 1: "_qs;
}

void TstDatabaseWriter::refusesTablesItCannotDefine()
{
    QFETCH(Description, description);
    QFETCH(QString, message);
    try {
        writeDatabase(description);
        QFAIL("the description was accepted");
    } catch (const JetWriteError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void TstDatabaseWriter::keepsTheOldFileOnFailure()
{
    const Table good{u"T"_qs, {{u"A"_qs, ColumnType::Byte}}, {{1}}};
    const QString path = write({Format::Jet4, {good}});
    const QByteArray before = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    const Table bad{u"T"_qs, {{u"A"_qs, ColumnType::Byte}}, {{1}, {300}}};
    QVERIFY_THROWS_EXCEPTION(JetWriteError, writeDatabaseFile({Format::Jet4, {bad}}, path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);

    try {
        writeDatabaseFile({Format::Jet4, {good}}, m_dir.filePath(u"manca/db.mdb"_qs));
        QFAIL("a file was written into a missing folder");
    } catch (const JetWriteError &error) {
        QVERIFY2(error.message().contains(u"manca"_qs), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TstDatabaseWriter)
#include "tst_databasewriter.moc"
