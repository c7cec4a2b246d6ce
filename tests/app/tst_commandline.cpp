#include "commandline.h"

#include <QTest>

using namespace app;
using movement::FileKind;

namespace {

const QDate kToday(2026, 12, 8);

QString usageErrorOf(const QStringList &arguments)
{
    try {
        parseCommandLine(arguments, kToday);
    } catch (const UsageError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void fileWithTheWindowsFirstTexts()
    {
        const CommandLine line = parseCommandLine({u"--file"_qs, u"classico"_qs, u"--dalla"_qs, u"07/12/2026"_qs}, kToday);
        QCOMPARE(line.action, CommandLine::Action::File);
        QCOMPARE(line.kind, FileKind::Classic);
        QCOMPARE(line.dalla, u"07/12/2026"_qs);
        QCOMPARE(line.alla, u"07/12/2026"_qs);
        QCOMPARE(line.dallaCamera, QString());
        QCOMPARE(line.allaCamera, u"ZZZZZZ"_qs);
        QCOMPARE(line.structure, std::nullopt);
    }

    void checkWithEveryChoice()
    {
        // Values after "=" or in the next argument; dates and rooms as the fields make them on Enter.
        const CommandLine line = parseCommandLine({u"--controllo"_qs, u"--dalla=IERI"_qs, u"--alla"_qs, u"oggi"_qs,
                                                   u"--dalla-camera"_qs, u" 1a "_qs, u"--alla-camera=l'20"_qs,
                                                   u"--struttura"_qs, u"2"_qs},
                                                  kToday);
        QCOMPARE(line.action, CommandLine::Action::Check);
        QCOMPARE(line.kind, std::nullopt);
        QCOMPARE(line.dalla, u"07/12/2026"_qs);
        QCOMPARE(line.alla, u"08/12/2026"_qs);
        QCOMPARE(line.dallaCamera, u"1A"_qs);
        QCOMPARE(line.allaCamera, u"L´20"_qs);
        QCOMPARE(line.structure, u"2"_qs);

        const CommandLine startUp = parseCommandLine({u"--dalla"_qs, u"010127"_qs, u"--file=avvio"_qs}, kToday);
        QCOMPARE(startUp.kind, FileKind::Schema);
        QCOMPARE(startUp.dalla, u"01/01/2027"_qs);
        QCOMPARE(parseCommandLine({u"--file=chiusa"_qs, u"--dalla=08/12/2026"_qs}, kToday).kind, FileKind::Closed);
    }

    void helpAndVersion()
    {
        QCOMPARE(parseCommandLine({u"--help"_qs}, kToday).action, CommandLine::Action::Help);
        QCOMPARE(parseCommandLine({u"--file"_qs, u"x"_qs, u"--help"_qs}, kToday).action, CommandLine::Action::Help);
        QCOMPARE(parseCommandLine({u"--version"_qs}, kToday).action, CommandLine::Action::Version);
        // Named as it was started: the console program in a Windows example.
        const QString help = usageText(u"NaxDesktopConsole.exe"_qs);
        QVERIFY(help.startsWith(u"Uso: NaxDesktopConsole.exe --file classico|avvio|chiusa|proposto --dalla "));
        QVERIFY(help.contains(u"\nEsempio, ogni mattina i file dei giorni mancanti: NaxDesktopConsole.exe --file proposto "
                              u"--dalla mancanti --log naxdesktop.log\n"));
    }

    void badOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString day = u"07/12/2026"_qs;
        QTest::newRow("nothing to do") << QStringList{u"--dalla"_qs, day} << u"Indicare il file da scrivere con --file"_qs;
        QTest::newRow("no first day") << QStringList{u"--file"_qs, u"classico"_qs} << u"Indicare il primo giorno con --dalla"_qs;
        QTest::newRow("unknown kind") << QStringList{u"--file=giornaliero"_qs, u"--dalla"_qs, day} << u"non «giornaliero»"_qs;
        QTest::newRow("not a date") << QStringList{u"--file=classico"_qs, u"--dalla"_qs, u"xx/11/2026"_qs} << u"non «xx/11/2026»"_qs;
        // The right shape, but no such day: it does not exist, its form is fine.
        QTest::newRow("day that does not exist") << QStringList{u"--file=classico"_qs, u"--dalla"_qs, u"31/02/2026"_qs}
                                                 << u"L'opzione --dalla indica «31/02/2026», una data inesistente."_qs;
        QTest::newRow("empty date") << QStringList{u"--file=classico"_qs, u"--dalla="_qs} << u"--dalla vuole una data"_qs;
        QTest::newRow("last day first") << QStringList{u"--controllo"_qs, u"--dalla"_qs, day, u"--alla"_qs, u"06/12/2026"_qs}
                                        << u"Il giorno di --alla (06/12/2026) viene prima"_qs;
        QTest::newRow("value missing") << QStringList{u"--file=classico"_qs, u"--dalla"_qs} << u"L'opzione --dalla vuole un valore"_qs;
        QTest::newRow("twice") << QStringList{u"--file=classico"_qs, u"--dalla"_qs, day, u"--dalla"_qs, day} << u"più di una volta"_qs;
        QTest::newRow("unknown option") << QStringList{u"--dala"_qs, day} << u"Opzione sconosciuta: «--dala»"_qs;
        QTest::newRow("argument alone") << QStringList{u"--controllo"_qs, day} << u"Argomento inatteso: «07/12/2026»"_qs;
        QTest::newRow("flag with a value") << QStringList{u"--controllo=si"_qs, u"--dalla"_qs, day} << u"--controllo non vuole un valore"_qs;
        QTest::newRow("days not a number") << QStringList{u"--mancanti"_qs, u"--giorni=tre"_qs} << u"da 1 a 366, non «tre»"_qs;
        QTest::newRow("days too many") << QStringList{u"--mancanti"_qs, u"--giorni"_qs, u"367"_qs} << u"non «367»"_qs;
        QTest::newRow("days alone") << QStringList{u"--giorni"_qs, u"3"_qs} << u"--giorni va con --mancanti"_qs;
        QTest::newRow("missing with a day") << QStringList{u"--mancanti"_qs, u"--dalla"_qs, day} << u"--dalla non va con --mancanti"_qs;
        QTest::newRow("missing days up to a day")
            << QStringList{u"--file=proposto"_qs, u"--dalla=mancanti"_qs, u"--alla"_qs, day} << u"--alla non va con --dalla mancanti"_qs;
        QTest::newRow("missing days as closed")
            << QStringList{u"--file=chiusa"_qs, u"--dalla=Mancanti"_qs} << u"--dalla mancanti va con --file proposto"_qs;
        QTest::newRow("log without a name") << QStringList{u"--mancanti"_qs, u"--log="_qs} << u"--log vuole il nome del file"_qs;
        QTest::newRow("task without its user") << QStringList{u"--attivita-pianificata"_qs, u"a.xml"_qs}
                                               << u"Indicare con --utente DOMINIO\\utente"_qs;
        QTest::newRow("task with a day") << QStringList{u"--attivita-pianificata=a.xml"_qs, u"--utente=U"_qs, u"--dalla"_qs, day}
                                         << u"--dalla non va con --attivita-pianificata"_qs;
        QTest::newRow("user alone") << QStringList{u"--utente"_qs, u"U"_qs} << u"--utente va con --attivita-pianificata"_qs;
    }
    void badOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QString error = usageErrorOf(arguments);
        QVERIFY2(error.contains(message), qPrintable(error));
    }

    void commandLineOrWindow()
    {
        const char *window[] = {"NaxDesktop"};
        const char *toolkit[] = {"NaxDesktop", "-platform", "offscreen"};
        const char *mistyped[] = {"NaxDesktop", "-platform", "offscreen", "--dala"};
        const char *menu[] = {"NaxDesktop", "--cartella-hotel"};
        QVERIFY(!wantsCommandLine(1, window));
        QVERIFY(!wantsCommandLine(3, toolkit));
        QVERIFY(wantsCommandLine(4, mistyped));
        QVERIFY(!wantsCommandLine(2, menu));
        QVERIFY(startsFromTheMenu(2, menu));
        QVERIFY(!startsFromTheMenu(4, mistyped));
        const char *again[] = {"NaxDesktop", "--cartella-hotel", "--scegli"};
        const char *againAlone[] = {"NaxDesktop", "--scegli"};
        QVERIFY(!wantsCommandLine(3, again));
        QVERIFY(choosesAgain(3, again));
        QVERIFY(!choosesAgain(2, menu));
        QVERIFY(wantsCommandLine(2, againAlone));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
