// The command line on a hotel's folder: run in process for its statuses and messages, and as
// the real program, without a display, writing the same bytes as the window for the same choices;
// the missing days caught up from the register; the log a scheduled run keeps.

#include "commandlinefixture.h"
#include "hotelfixture.h"

#include "runlog.h"
#include "writtenfiles.h"

#include <QCheckBox>
#include <QProcess>

using namespace naxwindow;

namespace {

const QDate kDay(2026, 12, 8);

Output runIn(const Hotel &hotel, const QStringList &arguments)
{
    return runIn(hotel, arguments, kDay);
}

// The real program in the hotel's folder, with no display to be had.
Output runProgram(const Hotel &hotel, const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(hotel.dir.path());
    program.start(QStringLiteral(NAXDESKTOP_PATH), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), program.readAllStandardOutput(), program.readAllStandardError()};
}

// Rooms 101 and 102 in structure 1, 103 in structure 2; guests of the nights around 07/12/2026,
// one of them from a country the code tables lack.
void writeDatabases(const Hotel &folder)
{
    folder.write(u"VeluSetup.txt"_qs, "2\r\nCODE1\r\n,101,102,\r\nCODE2\r\n,103,\r\n");
    hotelfixture::Hotel data;
    data.rooms = {{1, "101", "DOP", 2}, {1, "102", "DOP", 2}, {1, "103", "SIN", 1}};
    hotelfixture::Card head = hotelfixture::present("101", 15, "20261206", "20261209");
    head.CapoFamiglia = "S";
    hotelfixture::Card member = hotelfixture::present("101", 16, "20261206", "20261209");
    member.CodiceCapoFamiglia = 15;
    hotelfixture::Card single = hotelfixture::present("103", 17, "20261207", "20261209");
    single.CapoFamiglia = "U";
    hotelfixture::Card foreign = hotelfixture::present("102", 18, "20261206", "20261208");
    foreign.CapoFamiglia = "U";
    foreign.Nazione = "XX";
    data.current << head << member << single << foreign;
    data.archived << hotelfixture::departed("103", 26000012, "20261203", "20261207");
    data.writeInto(QDir(folder.dir.path()));
}

// Presses "Crea File" in a window opened on today's date with the fields given and the
// structure picked, answering "No" to the start-up question, and returns the file's bytes.
QByteArray writtenByTheWindow(Hotel &hotel, const QString &from, const QString &to, int structure)
{
    auto window = openWindow(hotel, QDate::currentDate());
    if (!makeActive(window.get()))
        return "<window not active>";
    field(window.get(), 0)->setFocus();
    typeAndEnter(window.get(), 0, from);
    typeAndEnter(window.get(), 1, to);
    control<QComboBox>(window.get(), u"Combo1"_qs)->setCurrentIndex(structure - 1);
    Box box;
    answerNextBox(box, [](QDialog *b) { pressButton(b, 1); });
    QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);
    const QStringList files = hotel.xmlFiles();
    if (files.size() != 1)
        return "<no file: " + box.text.toUtf8() + ">";
    const QByteArray bytes = hotel.read(files[0]);
    QFile::remove(hotel.path(files[0]));
    return bytes;
}

// A line of the register: a file of the kind for the days of December 2026, with the code.
movement::RegisterEntry written(movement::FileKind kind, int first, int last, const QString &code = u"ABC123"_qs)
{
    movement::RegisterEntry e;
    e.writtenAt = QDateTime(QDate(2026, 12, last + 1), QTime(7, 30));
    e.kind = kind;
    e.structure = code;
    e.figures = {QDate(2026, 12, first), QDate(2026, 12, last), 0, 0, 0, 0};
    return e;
}

const QStringList kCatchUp{u"--file"_qs, u"proposto"_qs, u"--dalla"_qs, u"mancanti"_qs};

} // namespace

class TestCommandLineRun : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsTheWindow_data()
    {
        QTest::addColumn<bool>("startUp");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("daily file") << false << u"06/12/2026"_qs << u"071226"_qs
                                    << QStringList{u"--file"_qs, u"classico"_qs, u"--dalla"_qs, u"06/12/2026"_qs,
                                                   u"--alla=071226"_qs, u"--struttura"_qs, u"2"_qs}
                                    << u"DuzizUzazi2026-12-06.xml"_qs;
        QTest::newRow("start-up file") << true << u"08/12/2026"_qs << u"08/12/2026"_qs
                                       << QStringList{u"--file"_qs, u"avvio"_qs, u"--dalla"_qs, u"08/12/2026"_qs,
                                                      u"--struttura=2"_qs}
                                       << u"DuzizUzazi2026-12-07.xml"_qs;
    }
    void sameBytesAsTheWindow()
    {
        QFETCH(bool, startUp);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        Hotel hotel;
        hotel.settings();
        if (!startUp)
            hotel.endStartUp();
        writeDatabases(hotel);
        const QByteArray window = writtenByTheWindow(hotel, from, to, 2);
        QVERIFY2(window.contains("<arrivo>"), window.constData());

        const Output program = runProgram(hotel, arguments);
        QCOMPARE(program.err, QByteArray());
        QCOMPARE(program.status, 0);
        QCOMPARE(program.out, QDir::toNativeSeparators(hotel.path(file)).toUtf8() + "\n");
        QCOMPARE(hotel.read(file), window);
        // No question, so no start-up mark; the command line has no browser to open.
        QCOMPARE(QDir(hotel.dir.path()).entryList({u"IPUSU.txt"_qs}),
                 startUp ? QStringList() : QStringList{u"IPUSU.txt"_qs});
    }

    // "proposto" writes what the window proposes: the start-up file while that phase lasts, the
    // daily file after; the same bytes as naming the kind.
    void proposedFile()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        for (const auto &[kind, file] : {std::pair(u"avvio"_qs, u"DuzizUzazi2026-12-06.xml"_qs),
                                         std::pair(u"classico"_qs, u"DuzizUzazi2026-12-07.xml"_qs)}) {
            QCOMPARE(runIn(hotel, {u"--file"_qs, kind, u"--dalla"_qs, u"ieri"_qs}).status, 0);
            const QByteArray named = hotel.read(file);
            QVERIFY(named.endsWith("</movimenti>\r\n") && QFile::remove(hotel.path(file)));
            const Output proposed = runIn(hotel, {u"--file"_qs, u"proposto"_qs, u"--dalla"_qs, u"ieri"_qs});
            QCOMPARE(proposed.out, QDir::toNativeSeparators(hotel.path(file)).toUtf8() + "\n");
            QCOMPARE(hotel.read(file), named);
            hotel.endStartUp();
        }
    }

    void cardCheck()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        // Without --file, the start-up file while the phase lasts, and only its doubtful card.
        const Output startUp = runIn(hotel, {u"--controllo"_qs, u"--dalla"_qs, u"08/12/2026"_qs});
        QCOMPARE(startUp.status, int(app::kExitDoubtful));
        const QList<QByteArray> rows = startUp.out.split('\n');
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0], "\xEF\xBB\xBFNome;Camera;Arrivo;Database;Campo;Valore;Problema\r");
        QVERIFY2(rows[1].startsWith("ROSSI MARIO;102;06/12/2026;attuale;Nazione;XX;"), rows[1].constData());
        QCOMPARE(startUp.err, QByteArray());

        hotel.endStartUp();
        const Output daily = runIn(hotel, {u"--controllo"_qs, u"--dalla"_qs, u"07/12/2026"_qs, u"--struttura"_qs, u"2"_qs});
        QCOMPARE(daily.status, int(app::kExitDone));
        QCOMPARE(daily.out, "\xEF\xBB\xBFNome;Camera;Arrivo;Database;Campo;Valore;Problema\r\n");
        QCOMPARE(hotel.xmlFiles(), QStringList());
    }

    void yesterdayHelpAndVersion()
    {
        Hotel hotel;
        hotel.settings();
        const Output closed = runIn(hotel, {u"--file=chiusa"_qs, u"--dalla=ieri"_qs});
        QCOMPARE(closed.status, 0);
        QCOMPARE(closed.out, QDir::toNativeSeparators(hotel.path(u"DuzizUzazi2026-12-07.xml"_qs)).toUtf8() + "\n");
        QCOMPARE(hotel.read(u"DuzizUzazi2026-12-07.xml"_qs).count("<movimento>"), 1);

        const Output help = runIn(hotel, {u"--help"_qs});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.startsWith("Uso: NaxDesktop"));
        QCOMPARE(runIn(hotel, {u"--version"_qs}).out, QByteArray("NaxDesktop 1.0.0\n"));

        // The real program takes its name from how it was started.
        const Output mistyped = runProgram(hotel, {u"--dala"_qs});
        QCOMPARE(mistyped.status, int(app::kExitUsage));
        QCOMPARE(QString::fromUtf8(mistyped.err), u"Opzione sconosciuta: «--dala».\n%1 --help per l'aiuto\n"_qs
                                                      .arg(QFileInfo(QStringLiteral(NAXDESKTOP_PATH)).fileName()));
    }

    // The missing days written as "Crea File" would propose them, one file for each run of days
    // each structure lacks; a second run finds nothing to write. Today is Tuesday the 8th.
    void missingDaysCaughtUp_data()
    {
        using movement::FileKind;
        QTest::addColumn<QList<movement::RegisterEntry>>("entries");
        QTest::addColumn<bool>("startUp");
        QTest::addColumn<bool>("structures");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("a weekend with the PC off") << QList{written(FileKind::Classic, 1, 4)} << false << false
                                                   << QStringList{u"DuzizUzazi2026-12-05.xml"_qs};
        QTest::newRow("a gap, then yesterday")
            << QList{written(FileKind::Classic, 1, 3), written(FileKind::Closed, 5, 5)} << false << false
            << QStringList{u"DuzizUzazi2026-12-04.xml"_qs, u"DuzizUzazi2026-12-06.xml"_qs};
        // A start-up file reports the night before its day: the last one due is the 6th's.
        QTest::newRow("start-up mornings missed")
            << QList{written(FileKind::Schema, 1, 1), written(FileKind::Schema, 2, 2), written(FileKind::Schema, 4, 4)}
            << true << false
            << QStringList{u"DuzizUzazi2026-12-03.xml"_qs, u"DuzizUzazi2026-12-05.xml"_qs, u"DuzizUzazi2026-12-06.xml"_qs};
        QTest::newRow("nothing missing") << QList{written(FileKind::Classic, 1, 7)} << false << false << QStringList();
        QTest::newRow("a register begun late") << QList{written(FileKind::Classic, 6, 6)} << false << false
                                               << QStringList{u"DuzizUzazi2026-12-07.xml"_qs};
        QTest::newRow("no register yet") << QList<movement::RegisterEntry>() << false << false
                                         << QStringList{u"DuzizUzazi2026-12-07.xml"_qs};
        QTest::newRow("two structures, each its own files")
            << QList{written(FileKind::Classic, 1, 5, u"CODE1"_qs), written(FileKind::Classic, 1, 6, u"CODE2"_qs)} << false
            << true << QStringList{u"DuzizUzazi-struttura1-2026-12-06.xml"_qs, u"DuzizUzazi-struttura2-2026-12-07.xml"_qs};
        QTest::newRow("two structures, the start-up file for both")
            << QList{written(FileKind::Schema, 4, 4), written(FileKind::Classic, 5, 5, u"CODE1"_qs)} << true << true
            << QStringList{u"DuzizUzazi2026-12-05.xml"_qs, u"DuzizUzazi2026-12-06.xml"_qs};
    }
    void missingDaysCaughtUp()
    {
        QFETCH(QList<movement::RegisterEntry>, entries);
        QFETCH(bool, startUp);
        QFETCH(bool, structures);
        QFETCH(QStringList, files);
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        if (!structures)
            QVERIFY(QFile::remove(hotel.path(u"VeluSetup.txt"_qs)));
        if (!startUp)
            hotel.endStartUp();
        const movement::WrittenFiles register_(QDir(hotel.dir.path()));
        for (const movement::RegisterEntry &entry : entries)
            register_.append(entry);

        const Output first = runIn(hotel, kCatchUp);
        QCOMPARE(first.status, 0);
        QCOMPARE(first.err, QByteArray());
        QByteArray paths;
        for (const QString &file : files)
            paths += QDir::toNativeSeparators(hotel.path(file)).toUtf8() + '\n';
        if (!files.isEmpty())
            QCOMPARE(first.out, paths);
        QCOMPARE(hotel.xmlFiles(), files);
        QCOMPARE(register_.read().entries.size(), entries.size() + files.size());

        const Output again = runIn(hotel, kCatchUp);
        QCOMPARE(again.status, 0);
        QCOMPARE(again.out, QByteArray(startUp ? "Nessun giorno mancante fino al 06/12/2026: nessun file da scrivere.\n"
                                               : "Nessun giorno mancante fino al 07/12/2026: nessun file da scrivere.\n"));
        QCOMPARE(hotel.xmlFiles(), files);
    }

    // A scheduled run notes itself in its log, one or two lines a run, the last runs only; the
    // lines the old task's redirection left count for a run each.
    void logOfTheRuns()
    {
        Hotel hotel;
        hotel.settings();
        writeDatabases(hotel);
        QVERIFY(QFile::remove(hotel.path(u"VeluSetup.txt"_qs)));
        hotel.endStartUp();
        QByteArray old;
        for (int run = 0; run < app::kRunsKept; ++run)
            old += run % 2 ? "C:\\Hotel\\DuzizUzazi.xml\r\n" : "01/12/2026 07:30:00 fatto: a.xml\r\n  un avviso\r\n";
        hotel.write(u"naxdesktop.log"_qs, "la prima riga\r\n" + old);
        const QStringList logged = kCatchUp + QStringList{u"--log"_qs, u"naxdesktop.log"_qs};
        const Output first = runIn(hotel, logged);
        QCOMPARE(first.status, 0);
        QCOMPARE(first.err, QByteArray());
        QCOMPARE(runIn(hotel, logged).status, 0);
        hotel.write(u"NaxSetup.txt"_qs, "corto\r\n");
        QCOMPARE(runIn(hotel, logged).status, 1);

        const QList<QByteArray> lines = hotel.read(u"naxdesktop.log"_qs).split('\n');
        QCOMPARE(lines.last(), QByteArray());
        const QList<QByteArray> last = lines.mid(lines.size() - 4, 3);
        const QByteArray now = QDate::currentDate().toString(u"dd/MM/yyyy").toUtf8();
        QVERIFY2(last[0].startsWith(now) && last[0].contains(" fatto: " + first.out.trimmed() + "\r"), last[0].constData());
        QVERIFY2(last[1].contains(" fatto: Nessun giorno mancante fino al 07/12/2026"), last[1].constData());
        QVERIFY2(last[2].contains(" errore (stato 1): ") && last[2].contains("NaxSetup.txt"), last[2].constData());
        // The three oldest runs went to make room: the first line and the two runs after it.
        QVERIFY(lines.first().startsWith("C:\\Hotel"));
        QCOMPARE(lines.size() - 1, 3 + (app::kRunsKept - 3) * 3 / 2);
    }

    void failuresWriteNothing_data()
    {
        QTest::addColumn<QString>("missing"); // a database the hotel's folder lacks
        QTest::addColumn<QByteArray>("naxSetup");
        QTest::addColumn<bool>("startUpDone");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList daily{u"--file"_qs, u"classico"_qs, u"--dalla"_qs, u"07/12/2026"_qs};
        QTest::newRow("missing database") << u"NumeriCamere.mdb"_qs << QByteArray() << true << daily << 1
                                          << u"NumeriCamere.mdb"_qs;
        // A file the catch-up cannot write fails the run, whatever the others did.
        QTest::newRow("missing database, catching up") << u"NumeriCamere.mdb"_qs << QByteArray() << true << kCatchUp << 1
                                                       << u"NumeriCamere.mdb"_qs;
        QTest::newRow("structure not offered") << QString() << QByteArray() << true << daily + QStringList{u"--struttura=3"_qs}
                                               << 1 << u"La struttura «3» non è tra quelle della casella «Hotel»: sono 1, 2."_qs;
        QTest::newRow("start-up phase over") << QString() << QByteArray() << true
                                             << QStringList{u"--file=avvio"_qs, u"--dalla=07/12/2026"_qs} << 1
                                             << u"La fase di Start up è chiusa"_qs;
        QTest::newRow("settings file too short") << QString() << QByteArray("DuzizUzazi.xml\r\n") << true << daily << 1
                                                 << u"NaxSetup.txt"_qs;
        // One line, and where the help is.
        QTest::newRow("bad option") << QString() << QByteArray() << false << QStringList{u"--file"_qs} << 2
                                    << u"L'opzione --file vuole un valore.\nNaxDesktop --help per l'aiuto\n"_qs;
        // Refused as the file would refuse it, but in words for the command line.
        QTest::newRow("spaces for slashes") << QString() << QByteArray() << true
                                            << QStringList{u"--file"_qs, u"classico"_qs, u"--dalla"_qs, u"07 12 2026"_qs} << 2
                                            << u"L'opzione --dalla vuole una data GG/MM/AAAA, «ieri» o «oggi», non "
                                               "«07 12 2026».\nNaxDesktop --help per l'aiuto\n"_qs;
        QTest::newRow("reversed rooms") << QString() << QByteArray() << true
                                        << daily + QStringList{u"--dalla-camera=99"_qs, u"--alla-camera"_qs, u"100"_qs} << 2
                                        << u"«--dalla-camera» 99 viene dopo «--alla-camera» 100: le camere si confrontano "
                                           "come testo"_qs;
    }
    void failuresWriteNothing()
    {
        QFETCH(QString, missing);
        QFETCH(QByteArray, naxSetup);
        QFETCH(bool, startUpDone);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        Hotel hotel;
        writeDatabases(hotel);
        if (!missing.isEmpty())
            QVERIFY(QFile::remove(hotel.path(missing)));
        if (naxSetup.isEmpty())
            hotel.settings();
        else
            hotel.write(u"NaxSetup.txt"_qs, naxSetup);
        if (startUpDone)
            hotel.endStartUp();
        const Output run = runIn(hotel, arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        if (status == app::kExitUsage)
            QCOMPARE(run.err.count('\n'), 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(hotel.xmlFiles(), QStringList());
    }
};

QTEST_MAIN(TestCommandLineRun)
#include "tst_commandlinerun.moc"
