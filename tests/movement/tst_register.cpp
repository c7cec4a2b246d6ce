// The register of written files: its line read back as written, a register damaged by hand
// read as far as it goes and appended to without touching the operator's lines, two writers
// at once or one kept busy, the days it covers and the missing days' Italian sentence. A
// register that cannot be written is tested through the window and the command line
// (tst_writtenfiles).

#include "csvrow.h"
#include "filebytes.h"
#include "daycoverage.h"
#include "missingdaystext.h"
#include "operatorerror.h"
#include "writtenfiles.h"

#include <QLockFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace movement;
using State = DayCoverage::State;

namespace {

RegisterEntry entry(FileKind kind, QDate first, QDate last)
{
    RegisterEntry e;
    e.writtenAt = QDateTime(QDate(2026, 12, 8), QTime(7, 0));
    e.kind = kind;
    e.structure = u"ABC123"_qs;
    e.roomTo = u"ZZZZZZ"_qs;
    e.path = u"C:\\Hotel\\DuzizUzazi.xml"_qs;
    e.size = 1234;
    e.sha256 = QString(64, u'a');
    e.figures = {first, last, 5, 3, 12, 7};
    return e;
}

QByteArray row(const RegisterEntry &e)
{
    return core::csvRow(e.texts());
}

const QDate kDay(2026, 12, 6);

} // namespace

class TestRegister : public QObject
{
    Q_OBJECT

private slots:
    // Whatever the tool writes in a line comes back as it was, in a file a spreadsheet opens.
    void lineReadBackAsWritten()
    {
        RegisterEntry written = entry(FileKind::Closed, kDay, kDay.addDays(2));
        written.source = RegisterEntry::Source::CommandLine;
        written.structure = u"=SOMMA(1)"_qs; // a formula in the settings' code is never run
        written.roomFrom = u"-1"_qs;
        written.path = u"C:\\Dati; \"nuovi\"\\DuzizUzazi2026-12-06.xml"_qs;
        const QByteArray line = row(written);
        QVERIFY2(line.contains(";'=SOMMA(1);'-1;"), line.constData());
        const RegisterContents read = RegisterContents::parse(core::kUtf8ByteOrderMark.toByteArray()
                                                              + core::csvRow(registerCaptions()) + line);
        QCOMPARE(read.unreadable, QList<int>());
        QCOMPARE(read.entries.size(), 1);
        QCOMPARE(read.entries[0].texts(), written.texts());
    }

    void damagedLinesAreNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QList<int>>("unreadable");
        const QByteArray good = row(entry(FileKind::Classic, kDay, kDay));
        const QByteArray captions = core::csvRow(registerCaptions());
        QTest::newRow("cut short") << captions + good + good.left(40) << 1 << QList<int>{3};
        QTest::newRow("quote left open") << good + "\"07/12/2026;finestra\r\n" + good << 2 << QList<int>{2};
        QTest::newRow("an hour that does not exist") << QByteArray(good).replace(" 07:00:00;", " 25:00:00;") << 0 << QList<int>{1};
        QTest::newRow("an unknown kind") << QByteArray(good).replace("giornaliero", "settimanale") + good << 1 << QList<int>{1};
        QTest::newRow("a column added after the known ones")
            << captions.chopped(2) + ";Nota\r\n" + good.chopped(2) + ";caricato\r\n" << 1 << QList<int>();
        QTest::newRow("a column added in the middle") << QByteArray(good).replace(";finestra;", ";finestra;x;") << 0 << QList<int>{1};
        QTest::newRow("saved as Windows-1252, a note by hand")
            << captions + good + "Registro controllato da Nicol\xF2\r\n\r\n" << 1 << QList<int>{3};
    }
    void damagedLinesAreNamed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, entries);
        QFETCH(QList<int>, unreadable);
        const RegisterContents read = RegisterContents::parse(bytes);
        QCOMPARE(read.entries.size(), entries);
        QCOMPARE(read.unreadable, unreadable);
        QCOMPARE(read.warning().isEmpty(), unreadable.isEmpty());
        for (int line : unreadable)
            QVERIFY2(read.warning().contains(QString::number(line)), qPrintable(read.warning()));
    }

    // A new register begins with its captions; a damaged one keeps every byte the operator left,
    // and the new line begins on a line of its own.
    void appendingKeepsTheOperatorsLines()
    {
        QTemporaryDir dir;
        const WrittenFiles files{QDir(dir.path())};
        QCOMPARE(files.read().entries.size(), 0);
        files.append(entry(FileKind::Classic, kDay, kDay));
        QVERIFY(readBytes(files.path()).startsWith(core::kUtf8ByteOrderMark.toByteArray() + core::csvRow(registerCaptions())));

        const QByteArray before = readBytes(files.path()) + "riga scritta a mano, senza a capo";
        writeBytes(files.path(), before);
        const RegisterContents held = files.append(entry(FileKind::Closed, kDay.addDays(1), kDay.addDays(1)));
        QCOMPARE(held.unreadable, QList<int>{3});
        QCOMPARE(readBytes(files.path()), before + "\r\n" + row(entry(FileKind::Closed, kDay.addDays(1), kDay.addDays(1))));
        QCOMPARE(files.read().entries.size(), 2);

        // Saved as UTF-16 by an editor: the tool's lines follow in UTF-16.
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
        writeBytes(files.path(), utf16.encode(QString::fromUtf8(row(entry(FileKind::Classic, kDay, kDay)))));
        files.append(entry(FileKind::Classic, kDay, kDay));
        QCOMPARE(files.read().entries.size(), 2);
    }

    // Two writers at once, many times: every line arrives whole, none is lost.
    void twoWritersAtOnce()
    {
        constexpr int kLines = 150;
        QTemporaryDir dir;
        QProcess writers[2];
        for (int w = 0; w < 2; ++w)
            writers[w].start(QStringLiteral(REGISTERWRITER_PATH), {dir.path(), QString::number(w + 1), QString::number(kLines)});
        for (QProcess &writer : writers) {
            QVERIFY(writer.waitForFinished(120000));
            QVERIFY2(writer.exitCode() == 0, writer.readAllStandardError().constData());
        }
        const RegisterContents read = WrittenFiles(QDir(dir.path())).read();
        QCOMPARE(read.unreadable, QList<int>());
        QList<qint64> next{1, 1}; // each writer's lines arrive in its own order
        for (const RegisterEntry &e : read.entries) {
            const qsizetype w = e.figures.arrivals - 1;
            QCOMPARE(e.figures.departures, next[w]++);
        }
        QCOMPARE(next, (QList<qint64>{kLines + 1, kLines + 1}));
    }

    // A writer that keeps the register past the wait: the append gives up, saying so.
    void registerKeptBusy()
    {
        QTemporaryDir dir;
        const WrittenFiles files{QDir(dir.path())};
        QLockFile other(files.path() + u".lock"_qs);
        QVERIFY(other.lock());
        try {
            files.append(entry(FileKind::Classic, kDay, kDay));
            QFAIL("appended while another writer held the register");
        } catch (const core::OperatorError &e) {
            QVERIFY2(e.message().contains(u"occupato da un'altra scrittura"), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(files.path()));
    }

    void daysCovered()
    {
        const QList<RegisterEntry> entries{
            entry(FileKind::Classic, QDate(2026, 12, 1), QDate(2026, 12, 3)),
            entry(FileKind::Closed, QDate(2026, 12, 3), QDate(2026, 12, 4)), // written later: the 3rd was closed
            entry(FileKind::Schema, QDate(2026, 12, 5), QDate(2026, 12, 5)), // the start-up file covers no day
            entry(FileKind::Classic, QDate(2026, 12, 7), QDate(2026, 12, 7)),
        };
        const DayCoverage coverage(entries);
        QCOMPARE(coverage.state(QDate(2026, 12, 2)), State::Written);
        QCOMPARE(coverage.state(QDate(2026, 12, 3)), State::Closed);
        QCOMPARE(coverage.state(QDate(2026, 12, 5)), State::Missing);
        // The week before the 8th: yesterday back to the 1st.
        QCOMPARE(coverage.missingBefore(QDate(2026, 12, 8), 7), (QList<QDate>{QDate(2026, 12, 5), QDate(2026, 12, 6)}));
        QCOMPARE(coverageCsv(coverage, QDate(2026, 12, 3), QDate(2026, 12, 5)),
                 core::kUtf8ByteOrderMark.toByteArray() + "Giorno;Stato\r\n03/12/2026;chiuso\r\n04/12/2026;chiuso\r\n"
                                                    "05/12/2026;mancante\r\n");
    }

    void missingDaysSentence_data()
    {
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<QDate>() << QString();
        QTest::newRow("one") << QList<QDate>{QDate(2026, 12, 6)} << u"Manca il file di domenica 6 dicembre"_qs;
        QTest::newRow("weekend") << QList<QDate>{QDate(2026, 12, 5), QDate(2026, 12, 6)}
                                 << u"Mancano i file di sabato 5 e domenica 6 dicembre"_qs;
        QTest::newRow("two months") << QList<QDate>{QDate(2026, 11, 30), QDate(2026, 12, 1)}
                                    << u"Mancano i file di lunedì 30 novembre e martedì 1 dicembre"_qs;
        QTest::newRow("three") << QList<QDate>{QDate(2026, 11, 29), QDate(2026, 12, 2), QDate(2026, 12, 4)}
                               << u"Mancano 3 file: 29 novembre, 2 e 4 dicembre"_qs;
    }
    void missingDaysSentence()
    {
        QFETCH(QList<QDate>, days);
        QFETCH(QString, text);
        QCOMPARE(missingDaysText(days), text);
    }
};

QTEST_GUILESS_MAIN(TestRegister)
#include "tst_register.moc"
