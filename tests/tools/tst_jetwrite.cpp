#include "databasewriter.h"
#include "descriptionparser.h"
#include "mdbcommand.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace jetwriter;

namespace {

const QByteArray kDescription = R"({"format": "jet4", "tables": [{"name": "Comuni", "columns": [
    {"name": "Descrizione", "type": "text", "size": 60}, {"name": "Tipo", "type": "integer"},
    {"name": "CodicePS", "type": "text", "size": 9}],
    "rows": [["Forlì", 3, "408040015"], ["San Marino", 0, "100000236"]]}]})";

} // namespace

class TstJetwrite : public QObject
{
    Q_OBJECT

private slots:
    void writesWhatTheLibraryWrites();
    void failsWithoutWritingAFile_data();
    void failsWithoutWritingAFile();

private:
    QString input(const QByteArray &json);

    QTemporaryDir m_dir;
};

QString TstJetwrite::input(const QByteArray &json)
{
    const QString path = m_dir.filePath(u"descrizione.json"_qs);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(json);
    return path;
}

void TstJetwrite::writesWhatTheLibraryWrites()
{
    const QString output = m_dir.filePath(u"comuni.mdb"_qs);
    const CommandRun run = runCommand(QStringLiteral(JETWRITE_PATH), {input(kDescription), output, u"--format"_qs, u"jet3"_qs});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);

    // The option overrides the description's format; another process, the same bytes.
    Description description = parseDescription(kDescription);
    description.format = Format::Jet3;
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), writeDatabase(description));
    QCOMPARE(runCommand(u"mdb-ver"_qs, {output}).out, QByteArray("JET3\n"));
}

void TstJetwrite::failsWithoutWritingAFile_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("malformed description") << QByteArray("{") << QStringList() << 1 << u"non leggibile"_qs;
    QByteArray tooLong = kDescription;
    tooLong.replace("408040015", "4080400150");
    QTest::newRow("value too long") << tooLong << QStringList() << 1 << u"riga 1, colonna «CodicePS»"_qs;
    QTest::newRow("unknown format") << kDescription << QStringList{u"--format"_qs, u"jet5"_qs} << 2 << u"Uso:"_qs;
    QTest::newRow("format without value") << kDescription << QStringList{u"--format"_qs} << 2 << u"Uso:"_qs;
}

void TstJetwrite::failsWithoutWritingAFile()
{
    QFETCH(QByteArray, json);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const QString output = m_dir.filePath(u"fallito.mdb"_qs);
    const CommandRun run = runCommand(QStringLiteral(JETWRITE_PATH), QStringList{input(json), output} + options);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(TstJetwrite)
#include "tst_jetwrite.moc"
