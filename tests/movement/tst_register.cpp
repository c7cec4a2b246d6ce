// The register of written files: its line read back as written, a register damaged by hand or
// saved back by a spreadsheet (LibreOffice Calc itself) read as far as it goes and appended to in
// its own form without touching the operator's lines, two writers at once or one kept busy, the
// days a hotel's files cover over its first weeks, and the Italian sentences for the missing days
// and for a file the cards no longer agree with. A register that cannot be written is tested
// through the window and the command line (tst_writtenfiles).

#include "csvrow.h"
#include "filebytes.h"
#include "daycoverage.h"
#include "missingdaystext.h"
#include "operatorerror.h"
#include "writtenfiles.h"

#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace movement;
using core::csvRow;
using core::kUtf8ByteOrderMark;
using State = DayCoverage::State;

namespace {

RegisterEntry entry(FileKind kind, QDate first, QDate last, const QString &structure = u"ABC123"_qs)
{
    RegisterEntry e;
    e.writtenAt = QDateTime(QDate(2026, 12, 8), QTime(7, 0));
    e.kind = kind;
    e.structure = structure;
    e.roomTo = u"ZZZZZZ"_qs;
    e.path = u"C:\\Hotel\\DuzizUzazi.xml"_qs;
    e.size = 1234;
    e.sha256 = QString(64, u'a');
    e.figures = {first, last, 5, 3, 12, 7};
    return e;
}

// A line whose path has a letter beyond ASCII.
RegisterEntry accented()
{
    RegisterEntry e = entry(FileKind::Classic, QDate(2026, 12, 6), QDate(2026, 12, 6));
    e.path = u"C:\\Città\\DuzizUzazi.xml"_qs;
    return e;
}

QByteArray row(const RegisterEntry &e)
{
    return core::csvRow(e.texts());
}

const QDate kDay(2026, 12, 6);

// A December day of 2026.
QDate dec(int day)
{
    return QDate(2026, 12, day);
}

// The states of the days from the 1st of December as letters, U unknown, - missing, W written,
// C closed, and the missing days as "day(structures)".
std::pair<QString, QString> described(const DayCoverage &coverage, int days)
{
    QString states;
    QStringList missing;
    for (int d = 1; d <= days; ++d)
        states += QString(u"U-WC"_qs[int(coverage.state(dec(d)))]);
    for (const MissingDay &m : coverage.missing(dec(1), dec(days))) {
        QStringList numbers;
        for (int n : m.structures)
            numbers << QString::number(n);
        missing << QString::number(m.day.day()) + (numbers.isEmpty() ? QString() : u'(' + numbers.join(u',') + u')');
    }
    return {states, missing.join(u' ')};
}

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
        QTest::newRow("an unknown kind") << QByteArray(good).replace("giornaliero", "settimanale") + good << 1 << QList<int>{1};
        QTest::newRow("a column added after the known ones")
            << captions.chopped(2) + ";Nota\r\n" + good.chopped(2) + ";caricato\r\n" << 1 << QList<int>();
        QTest::newRow("a column added in the middle, not in the captions")
            << captions + QByteArray(good).replace(";finestra;", ";finestra;x;") << 0 << QList<int>{2};
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

    // A spreadsheet's save: each line still counts for its kind and days, whatever became of the
    // time, the year's digits, the columns' order and separator; what is only shown and cannot be
    // read any longer is shown empty.
    void savedBySpreadsheet_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("texts");
        RegisterEntry e = entry(FileKind::Classic, kDay, kDay.addDays(1));
        e.writtenAt = QDateTime(QDate(2026, 12, 8), QTime(7, 30));
        const QStringList texts = e.texts();
        const QByteArray line = row(e);
        const QByteArray captions = csvRow(registerCaptions());
        QTest::newRow("no seconds, no byte-order mark, LF")
            << QByteArray(captions + line).replace("\r\n", "\n").replace(" 07:30:00;", " 07:30;") << texts;
        QTest::newRow("two-digit years, spaces around")
            << captions + QByteArray(line).replace("06/12/2026;07/12/2026", " 6/12/26 ; 7-12-2026 ") << texts;
        QTest::newRow("a column inserted, named in the captions")
            << QByteArray(captions).replace(";File;", ";Caricato;File;") + QByteArray(line).replace(";giornaliero;", ";sì;giornaliero;")
            << texts;
        QTest::newRow("commas and quotes")
            << QByteArray(captions).replace(';', ',') + "\"08/12/2026 07:30:00\",finestra,giornaliero,06/12/2026,07/12/2026,"
                                                        "ABC123,,ZZZZZZ,\"C:\\Hotel\\DuzizUzazi.xml\",1234,"
                                                        + QByteArray(64, 'a') + ",5,3,12,7\r\n"
            << texts;
        // Set to English conventions: the month first, and the 12-hour clock or a day past the
        // 12th tells it.
        QStringList noon = texts;
        noon[0] = u"08/12/2026 12:30:00"_qs;
        QTest::newRow("month first, a 12-hour clock")
            << captions
                   + QByteArray(line).replace("08/12/2026 07:30:00", "12/08/2026 12:30 PM").replace("06/12/2026;07/12/2026", "12/06/2026;12/07/2026")
            << noon;
        QStringList thirteenth = texts;
        thirteenth[0] = u"13/12/2026 07:30:00"_qs;
        QTest::newRow("month first, a day past the 12th")
            << captions
                   + QByteArray(line).replace("08/12/2026 07:30:00", "12/13/2026 7:30").replace("06/12/2026;07/12/2026", "12/6/2026;12/7/2026")
            << thirteenth;
        QStringList emptied = texts;
        for (int column : {0, 1, 9, 10, 11, 12, 13, 14})
            emptied[column].clear();
        QTest::newRow("what is only shown, unreadable")
            << captions + QByteArray(line).replace("08/12/2026 07:30:00;finestra", "ieri;a mano")
                              .replace(";1234;", ";1,2 KB;").replace(QByteArray(64, 'a'), "0,00E+00").replace(";5;3;", ";5;tre;")
            << emptied;
    }
    void savedBySpreadsheet()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, texts);
        const RegisterContents read = RegisterContents::parse(bytes);
        QCOMPARE(read.unreadable, QList<int>());
        QCOMPARE(read.entries.size(), 1);
        QCOMPARE(read.entries[0].texts(), texts);
    }

    // LibreOffice Calc with Italian settings opens the register, takes its days and times for
    // dates, and saves it back as CSV, as an operator does: the same days come out, and the next
    // line follows the form it left.
    void savedByLibreOffice()
    {
#ifdef Q_OS_WIN
        QSKIP("LibreOffice Calc is part of the tests on Linux only");
#endif
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_qs);
        QVERIFY2(!soffice.isEmpty(), "scripts/install-deps.sh test installs libreoffice-calc-nogui");
        QTemporaryDir dir;
        const WrittenFiles files{QDir(dir.path())};
        const QStringList codes{u"0123"_qs, u"B&B 2"_qs}; // a code of digits becomes a number
        QList<RegisterEntry> written{entry(FileKind::Schema, dec(1), dec(1)), entry(FileKind::Classic, dec(2), dec(4), codes[0]),
                                     entry(FileKind::Classic, dec(2), dec(3), codes[1]), entry(FileKind::Closed, dec(4), dec(4), codes[1]),
                                     entry(FileKind::Classic, dec(4), dec(4), codes[1])};
        for (qsizetype i = 0; i < written.size(); ++i) {
            written[i].writtenAt = QDateTime(dec(5), QTime(7, 30, int(i) * 11)); // the last two in the same minute
            written[i].path = u"C:\\Hotel; Città\\DuzizUzazi.xml"_qs;
            files.append(written[i]);
        }

        QProcess calc;
        QProcessEnvironment italian = QProcessEnvironment::systemEnvironment();
        italian.insert(u"LC_ALL"_qs, u"it_IT.UTF-8"_qs);
        calc.setProcessEnvironment(italian);
        calc.start(soffice, {u"--headless"_qs, u"-env:UserInstallation="_qs + QUrl::fromLocalFile(dir.filePath(u"profilo"_qs)).toString(),
                             u"--infilter=CSV:59,34,76,1,,1040,false,true"_qs,
                             u"--convert-to"_qs, u"csv:Text - txt - csv (StarCalc):59,34,76,1,,1040"_qs,
                             u"--outdir"_qs, dir.filePath(u"salvato"_qs), files.path()});
        QVERIFY(calc.waitForFinished(120000));
        QCOMPARE(calc.exitCode(), 0);
        const QString saved = dir.filePath(u"salvato/NaxRegistro.csv"_qs);
        const QByteArray bytes = readBytes(saved);
        QVERIFY2(!bytes.startsWith(kUtf8ByteOrderMark.toByteArray()) && !bytes.contains("\r\n")
                     && bytes.contains("05/12/2026 07:30;") && !bytes.contains(";0123;"),
                 bytes.constData()); // what a spreadsheet does to it, lest the test try nothing

        const RegisterContents read = RegisterContents::parse(bytes);
        QCOMPARE(read.unreadable, QList<int>());
        QCOMPARE(read.entries.size(), written.size());
        const auto days = [&](const QList<RegisterEntry> &entries) { return described(DayCoverage(entries, codes), 5); };
        QCOMPARE(days(read.entries), days(written));
        QCOMPARE(days(read.entries), std::pair(u"WWWW-"_qs, u"5(1,2)"_qs));
        QCOMPARE(read.entries.last().path, written.last().path);

        // The next line keeps the file's form.
        QFile::remove(files.path());
        QVERIFY(QFile::copy(saved, files.path()));
        files.append(entry(FileKind::Classic, dec(5), dec(5), codes[0]));
        const QByteArray after = readBytes(files.path());
        QVERIFY(after.startsWith(bytes) && after.endsWith("\n") && !after.contains("\r\n"));
        QCOMPARE(files.read().entries.size(), written.size() + 1);
    }

    // A register in another form than the tool's gets its line in that form: its encoding,
    // separator, line ends, and its columns where the captions say.
    void appendingFollowsTheFilesForm_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("added");
        const QByteArray line = row(accented());
        const QByteArray captions = csvRow(registerCaptions());
        QTest::newRow("LF, no byte-order mark") << QByteArray(captions).replace("\r\n", "\n") << QByteArray(line).replace("\r\n", "\n");
        QTest::newRow("commas, a column added")
            << QByteArray(captions).replace(';', ',').replace("\r\n", ",Nota\r\n")
            << QByteArray(line).replace(';', ',').replace("\r\n", ",\r\n");
        QTest::newRow("Windows-1252") << captions + "08/12/2026 07:00:00;finestra;chiusa;01/12/2026;01/12/2026;Citt\xE0;;ZZZZZZ;;;;0;0;0;0\r\n"
                                      << QByteArray(line).replace("Citt\xC3\xA0", "Citt\xE0");
    }
    void appendingFollowsTheFilesForm()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, added);
        QTemporaryDir dir;
        const WrittenFiles files{QDir(dir.path())};
        writeBytes(files.path(), before);
        files.append(accented());
        QCOMPARE(readBytes(files.path()), before + added);
        QCOMPARE(files.read().entries.last().texts(), accented().texts());
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
        const WrittenFiles files{QDir(dir.path()), 300};
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

    // The days a hotel's files account for, from the 1st of December, along its real weeks.
    void daysCovered_data()
    {
        QTest::addColumn<QList<RegisterEntry>>("entries");
        QTest::addColumn<QStringList>("structures");
        QTest::addColumn<QString>("states");
        QTest::addColumn<QString>("missing");
        const auto daily = [](int first, int last, const QString &code = u"ABC123"_qs) {
            return entry(FileKind::Classic, dec(first), dec(last), code);
        };
        const auto startUp = [](int day) { return entry(FileKind::Schema, dec(day), dec(day)); };
        const auto closed = [](int day, const QString &code = u"ABC123"_qs) { return entry(FileKind::Closed, dec(day), dec(day), code); };
        QTest::newRow("no register") << QList<RegisterEntry>() << QStringList() << u"UUUUUUU"_qs << QString();
        QTest::newRow("start-up mornings, then daily files, a weekend missed")
            << QList{startUp(1), startUp(2), startUp(3), daily(4, 4), daily(7, 7)} << QStringList() << u"WWWW--W"_qs
            << u"5 6"_qs;
        QTest::newRow("a register begun after the old tool") << QList{daily(4, 5)} << QStringList() << u"UUUWW--"_qs
                                                             << u"6 7"_qs;
        // Closed, then written after all; written, then closed: the file written last decides.
        QList<RegisterEntry> corrected{closed(1), daily(1, 2), closed(2)};
        QTest::newRow("corrected by a later file") << corrected << QStringList() << u"WC-----"_qs << u"3 4 5 6 7"_qs;
        for (qsizetype i = 0; i < corrected.size(); ++i)
            corrected[i].writtenAt = corrected[i].writtenAt.addSecs(60 * i);
        std::reverse(corrected.begin(), corrected.end());
        QTest::newRow("sorted by a spreadsheet") << corrected << QStringList() << u"WC-----"_qs << u"3 4 5 6 7"_qs;
        // "0S1" is not "S1": only a code of digits may have lost its leading zeros.
        QTest::newRow("two structures, each its own days; the start-up file for both")
            << QList{startUp(1), daily(2, 4, u"S1"_qs), closed(2, u"S2"_qs), closed(3, u"S2"_qs), closed(2, u"S1"_qs),
                     closed(5, u"S1"_qs), daily(6, 6, u"0S1"_qs)}
            << QStringList{u"S1"_qs, u"S2"_qs} << u"WCW----"_qs << u"4(2) 5(2) 6(1,2) 7(1,2)"_qs;
    }
    void daysCovered()
    {
        QFETCH(QList<RegisterEntry>, entries);
        QFETCH(QStringList, structures);
        QFETCH(QString, states);
        QFETCH(QString, missing);
        QCOMPARE(described(DayCoverage(entries, structures), 7), std::pair(states, missing));
    }

    void savedDays()
    {
        const DayCoverage coverage({entry(FileKind::Classic, dec(2), dec(3), u"S1"_qs), entry(FileKind::Closed, dec(3), dec(3), u"S2"_qs)},
                                   {u"S1"_qs, u"S2"_qs});
        QCOMPARE(coverageCsv(coverage, dec(1), dec(3)),
                 kUtf8ByteOrderMark.toByteArray() + "Giorno;Stato;Strutture senza file\r\n01/12/2026;sconosciuto;\r\n"
                                                    "02/12/2026;mancante;2\r\n03/12/2026;scritto;\r\n");
    }

    void missingDaysSentence_data()
    {
        QTest::addColumn<QList<MissingDay>>("days");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QList<MissingDay>() << QString();
        QTest::newRow("one") << QList<MissingDay>{{dec(6), {}}} << u"Manca il file di domenica 6 dicembre"_qs;
        QTest::newRow("weekend") << QList<MissingDay>{{dec(5), {}}, {dec(6), {}}}
                                 << u"Mancano i file di sabato 5 e domenica 6 dicembre"_qs;
        QTest::newRow("two months") << QList<MissingDay>{{QDate(2026, 11, 30), {}}, {dec(1), {}}}
                                    << u"Mancano i file di lunedì 30 novembre e martedì 1 dicembre"_qs;
        QTest::newRow("three") << QList<MissingDay>{{QDate(2026, 11, 29), {}}, {dec(2), {}}, {dec(4), {}}}
                               << u"Mancano 3 file: 29 novembre, 2 e 4 dicembre"_qs;
        QTest::newRow("one structure of two") << QList<MissingDay>{{dec(6), {2}, 2}}
                                              << u"Manca il file di domenica 6 dicembre (struttura 2)"_qs;
        QTest::newRow("two structures of three") << QList<MissingDay>{{dec(6), {1, 3}, 3}}
                                                 << u"Mancano i file di domenica 6 dicembre (strutture 1 e 3)"_qs;
        QTest::newRow("every structure, not named") << QList<MissingDay>{{dec(5), {1}, 2}, {dec(6), {1, 2}, 2}}
                                                    << u"Mancano i file di sabato 5 (struttura 1) e domenica 6 dicembre"_qs;
        QTest::newRow("files counted by structure")
            << QList<MissingDay>{{dec(4), {2}, 2}, {dec(5), {1, 2}, 2}, {dec(6), {1, 2}, 2}}
            << u"Mancano 5 file: 4 (struttura 2), 5 e 6 dicembre"_qs;
    }
    void missingDaysSentence()
    {
        QFETCH(QList<MissingDay>, days);
        QFETCH(QString, text);
        QCOMPARE(missingDaysText(days), text);
    }

    // A file of several days counted again: its days, its structure, and each figure that changed,
    // either way. A file of one day is named through the window and the command line
    // (tst_writtenfiles).
    void staleFileSentence_data()
    {
        QTest::addColumn<StaleFile>("file");
        QTest::addColumn<QString>("text");
        const auto stale = [](QDate first, QDate last, int structure, auto change) {
            StaleFile file{entry(FileKind::Classic, first, last), structure, {}};
            file.now = file.entry.figures;
            change(file.now);
            return file;
        };
        QTest::newRow("days of one month, a structure")
            << stale(dec(5), dec(7), 2, [](FileFigures &f) { f.departures -= 2; })
            << u"Il file dal 5 al 7 dicembre (struttura 2) non corrisponde più alle schede: 2 partenze in meno"_qs;
        QTest::newRow("days of two months")
            << stale(QDate(2026, 11, 30), dec(2), 0, [](FileFigures &f) { f.guestsPresent += 2, --f.roomsOccupied; })
            << u"Il file dal 30 novembre al 2 dicembre non corrisponde più alle schede: 2 ospiti presenti in più, "
               "1 camera occupata in meno"_qs;
    }
    void staleFileSentence()
    {
        QFETCH(StaleFile, file);
        QFETCH(QString, text);
        QCOMPARE(staleFileText(file), text);
    }
};

QTEST_GUILESS_MAIN(TestRegister)
#include "tst_register.moc"
