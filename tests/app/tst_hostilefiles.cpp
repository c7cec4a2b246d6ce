// Settings and state files with hostile content: binary bytes, endless lines, odd line ends,
// encodings other than the expected ones, absurd numbers. Each gives its soft result or a
// message naming the file or value, never a crash and never a file written from garbage.

#include "hotelfixture.h"
#include "naxwindow.h"
#include "settings.h"
#include "settingsfixture.h"
#include "textfilelines.h"

#include <QCheckBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringEncoder>

using namespace app;
using namespace naxwindow;

namespace {

QByteArray utf16(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder(text);
}

QByteArray randomBytes(quint32 seed, int size)
{
    QRandomGenerator rng(seed);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(rng.bounded(256));
    return bytes;
}

const QString kLongLine(100000, u'x');

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void oddLinesAndEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no line end at all") << QByteArray("a.xml cmd ABC123") << QStringList{u"a.xml cmd ABC123"_qs};
        QTest::newRow("bare line feeds") << QByteArray("a\n\nb\n") << QStringList{u"a"_qs, u""_qs, u"b"_qs};
        QTest::newRow("a line of 100,000 characters")
            << kLongLine.toLatin1() + "\r\nb" << QStringList{kLongLine, u"b"_qs};
        QTest::newRow("nul bytes are characters") << QByteArray("a\0b\r\n\0\r\n", 8)
                                                  << QStringList{u"a"_qs + QChar(0) + u"b"_qs, QString(QChar(0))};
        QTest::newRow("invalid utf-8 is windows-1252") << QByteArray("Caff\xC3\xA8 \xE8\r\n")
                                                       << QStringList{u"CaffÃ¨ è"_qs};
        QTest::newRow("bytes windows-1252 leaves undefined") << QByteArray("\x81\x8D\x8F\x90\x9D")
                                                             << QStringList{u"\u0081\u008D\u008F\u0090\u009D"_qs};
        QTest::newRow("utf-16 little-endian with its mark")
            << utf16(u"Caffè\r\n€ 2\r\n"_qs, QStringConverter::Utf16LE) << QStringList{u"Caffè"_qs, u"€ 2"_qs};
        QTest::newRow("utf-16 big-endian with its mark")
            << utf16(u"2\r\nA"_qs, QStringConverter::Utf16BE) << QStringList{u"2"_qs, u"A"_qs};
    }
    void oddLinesAndEncodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        QCOMPARE(core::textFileLines(fileWith(dir, u"f.txt"_qs, bytes)), lines);
    }

    void binaryBytesAreNeitherLostNorMerged()
    {
        // Random bytes are no UTF-8: every byte is one character, and the lines are exactly the
        // runs between CR LF, CR or LF.
        QTemporaryDir dir;
        for (quint32 seed = 1; seed <= 20; ++seed) {
            const QByteArray bytes = randomBytes(seed, 64 * 1024);
            const QStringList lines = core::textFileLines(fileWith(dir, u"f.txt"_qs, bytes));
            QStringList runs = QString::fromLatin1(bytes).split(QRegularExpression(u"\r\n|\r|\n"_qs));
            if (runs.last().isEmpty())
                runs.removeLast();
            QCOMPARE(lines.size(), runs.size());
            for (qsizetype i = 0; i < lines.size(); ++i)
                QCOMPARE(lines[i].size(), runs[i].size());
        }
    }

    void settingsSurviveBeingWrittenBack()
    {
        // The settings menu rewrites all three lines: what it read comes back byte for byte.
        QTemporaryDir dir;
        const QByteArray original = QByteArray("C:\\Dati\\Caff\xE8\x81.xml\r\ncmd \x9D\"x\"\r\nA") + '\0' + "B\r\n";
        fileWith(dir, u"NaxSetup.txt"_qs, original);
        const QDir folder(dir.path());
        const std::optional<Settings> read = readSettingsFile(folder);
        QVERIFY(read);
        writeSettingsFile(folder, *read);
        QFile f(dir.filePath(u"NaxSetup.txt"_qs));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), original);
    }

    void settingsFileWithoutItsLines()
    {
        QTemporaryDir dir;
        for (const QByteArray &bytes : {QByteArray("a.xml cmd ABC123"), QByteArray("\0\0\0", 3), QByteArray()}) {
            fileWith(dir, u"NaxSetup.txt"_qs, bytes);
            const QString message = settingsErrorOf([&] { readSettingsFile(QDir(dir.path())); });
            QVERIFY2(message.contains(u"NaxSetup.txt") && message.contains(u"invece di tre"), qPrintable(message));
        }
    }

    void absurdStructureCountsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("32767 structures") << QByteArray("32767\r\n");
        QTest::newRow("32767 structures, every line there")
            << QByteArray("32767\r\n") + QByteArray("C\r\n,1,\r\n").repeated(32767);
        QTest::newRow("four hundred digits") << QByteArray("1") + QByteArray(400, '0') + "\r\n";
    }
    void absurdStructureCountsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        fileWith(dir, u"VeluSetup.txt"_qs, bytes);
        const QString message = settingsErrorOf([&] { readStructureFile(QDir(dir.path())); });
        QVERIFY2(message.contains(u"VeluSetup.txt") && message.contains(u"al massimo"), qPrintable(message));
    }

    void oddStructureListsReadAsWritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QStringList>("rooms");
        QTest::newRow("most negative count") << QByteArray("-32768\r\n") << QStringList() << QStringList();
        QTest::newRow("hexadecimal reads as 0") << QByteArray("0x10\r\nA\r\n,1,\r\n") << QStringList() << QStringList();
        QTest::newRow("binary first line") << QByteArray("\xFF\xFE\x00\x01\r\n", 6) << QStringList() << QStringList();
        QTest::newRow("no exponent") << QByteArray("1e9\r\nA\r\n,1,\r\n") << QStringList{u"A"_qs} << QStringList{u",1,"_qs};
        QTest::newRow("room list of 100,000 characters")
            << QByteArray("1\r\nA\r\n,") + kLongLine.toLatin1() + ",\r\n" << QStringList{u"A"_qs}
            << QStringList{u","_qs + kLongLine + u","_qs};
        QTest::newRow("utf-16 with its mark")
            << utf16(u"2\r\nCODÈ1\r\n,1,\r\nCODÈ2\r\n,2,\r\n"_qs, QStringConverter::Utf16LE)
            << QStringList{u"CODÈ1"_qs, u"CODÈ2"_qs} << QStringList{u",1,"_qs, u",2,"_qs};
    }
    void oddStructureListsReadAsWritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, codes);
        QFETCH(QStringList, rooms);
        QTemporaryDir dir;
        fileWith(dir, u"VeluSetup.txt"_qs, bytes);
        const std::optional<StructureList> list = readStructureFile(QDir(dir.path()));
        QVERIFY(list);
        QCOMPARE(list->NumeroStrutture, codes.size());
        QCOMPARE(entries(list->CodiciStrutture), codes);
        QCOMPARE(entries(list->CamereStrutture), rooms);
    }

    // Through the window: the operator sees a message, the window stays, nothing is written
    // and the browser is not started.
    void hostileSettingsStopTheFile_data()
    {
        QTest::addColumn<QByteArray>("percorso");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("message");
        const QByteArray ok = "DuzizUzazi.xml";
        QTest::newRow("path of 100,000 characters") << kLongLine.toLatin1() + ".xml" << QByteArray("ABC123")
                                                    << u"xxxxxxxxxx"_qs;
        QTest::newRow("nul in the path") << QByteArray("Duziz\0Uzazi.xml", 15) << QByteArray("ABC123")
                                         << u"«Duziz\uFFFDUzazi.xml» contiene in posizione 6 il carattere di controllo U+0000"_qs;
        QTest::newRow("vertical tab in the path") << QByteArray("Duziz\x0BUzazi.xml") << QByteArray("ABC123")
                                                           << u"U+000b"_qs;
        // The operator's text is never read as a placeholder of the message.
        QTest::newRow("percent signs in the path") << QByteArray("Duziz%1%2\x0BUzazi.xml") << QByteArray("ABC123")
                                                   << u"«Duziz%1%2\uFFFDUzazi.xml» contiene in posizione 10 il carattere di controllo U+000b"_qs;
        QTest::newRow("control character in the code") << ok << QByteArray("AB\x01" "C") << u"«codice»"_qs;
        QTest::newRow("escape in the code") << ok << QByteArray("\x1B[2J") << u"U+001b"_qs;
    }
    void hostileSettingsStopTheFile()
    {
        QFETCH(QByteArray, percorso);
        QFETCH(QByteArray, code);
        QFETCH(QString, message);
        Hotel hotel;
        hotel.settings(percorso, code);
        hotel.endStartUp();
        auto window = openWindow(hotel);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        Box box;
        pressCreaFile(window.get(), box);
        QVERIFY(box.shown);
        QCOMPARE(box.title, u"Errore"_qs);
        QVERIFY2(box.text.contains(message), qPrintable(box.text.left(300)));
        // A value is shown cut to a readable length, whatever its own.
        QVERIFY2(box.text.size() < 1000, qPrintable(box.text.left(300)));
        QVERIFY(window->isVisible());
        // No file under any name, a name cut short included.
        QCOMPARE(QDir(hotel.dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"IPUSU.txt"_qs, u"NaxSetup.txt"_qs}));
        QCOMPARE(hotel.browser.opened, QStringList());
    }

    void garbageSettingsFileIsReportedAtStart()
    {
        // Random bytes with line ends in them make lines, but not settings anyone wrote.
        Hotel hotel;
        QByteArray garbage = randomBytes(7, 4096);
        garbage.replace('\r', '\x01').replace('\n', '\x02');
        hotel.write(u"NaxSetup.txt"_qs, garbage);
        hotel.write(u"VeluSetup.txt"_qs, randomBytes(8, 4096));
        hotel.endStartUp();
        Box box;
        answerNextBox(box, pressOk);
        auto window = openWindow(hotel);
        QVERIFY2(box.text.contains(u"NaxSetup.txt"), qPrintable(box.text));
        QVERIFY(window->isVisible());

        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        pressCreaFile(window.get(), box = {});
        QVERIFY2(box.text.contains(u"NaxSetup.txt"), qPrintable(box.text));
        QCOMPARE(hotel.xmlFiles(), QStringList());
    }

    void unicodeSettingsFromNotepad()
    {
        // Settings and structure list saved as "Unicode" (UTF-16 with its mark) work as written.
        Hotel hotel;
        hotel.write(u"NaxSetup.txt"_qs,
                    utf16(u"DuzizUzazi.xml\r\n"_qs + hotel.browserCommand() + u"\r\nABC123\r\n"_qs,
                          QStringConverter::Utf16LE));
        hotel.write(u"VeluSetup.txt"_qs, utf16(u"2\r\nCODE1\r\n,1,\r\nCAFFÈ2\r\n,2,\r\n"_qs, QStringConverter::Utf16LE));
        hotel.endStartUp();
        auto window = openWindow(hotel);
        QCOMPARE(comboItems(window.get()), (QStringList{u"1"_qs, u"2"_qs}));
        control<QComboBox>(window.get(), u"Combo1"_qs)->setCurrentIndex(1);
        control<QCheckBox>(window.get(), u"Chk2"_qs)->setChecked(true);
        QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QVERIFY(hotel.read(u"DuzizUzazi2024-02-29.xml"_qs).contains("<codice>CAFF\xC3\x88" "2</codice>"));
        QCOMPARE(hotel.browser.opened, QStringList{Hotel::browserCommand()});
    }

    void browserCommandsThatCannotRun_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << u"è vuoto"_qs;
        QTest::newRow("blanks") << QByteArray(" \t ") << u"è vuoto"_qs;
        QTest::newRow("quotes left open") << QByteArray("\"/usr/bin/env https://x.example/") << u"virgolette non chiuse"_qs;
        QTest::newRow("closing quote missing after the address")
            << QByteArray("/usr/bin/env \"https://x.example/") << u"virgolette non chiuse"_qs;
        QTest::newRow("binary") << QByteArray("\x01\x02\x7F\xFF") << u"Impossibile avviare"_qs;
        QTest::newRow("program of 100,000 characters") << kLongLine.toLatin1() << u"Impossibile avviare"_qs;
    }
    void browserCommandsThatCannotRun()
    {
        // During the start-up phase, so that the question that follows a started browser could come.
        QFETCH(QByteArray, command);
        QFETCH(QString, message);
        Hotel hotel;
        hotel.write(u"NaxSetup.txt"_qs, "DuzizUzazi.xml\r\n" + command + "\r\nABC123\r\n");
        hotelfixture::Hotel().writeInto(QDir(hotel.dir.path()));
        app::SystemBrowserLauncher system;
        auto window = openWindow(hotel, kToday, &system);
        QVERIFY(control<QCheckBox>(window.get(), u"Chk"_qs)->isChecked());
        Box box;
        bool asked = false;
        answerNextBox(box, [&](QDialog *b) {
            pressOk(b);
            // A question after the failed start would be open by now: note it and close it.
            QTimer::singleShot(100, window.get(), [&asked] {
                if (auto *question = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                    asked = true;
                    question->reject();
                }
            });
        });
        QTest::mouseClick(control<QPushButton>(window.get(), u"T0"_qs), Qt::LeftButton);
        QCOMPARE(box.title, u"Errore"_qs);
        QVERIFY2(box.text.contains(message) && box.text.contains(u"Indirizzo web per invio file"),
                 qPrintable(box.text.left(300)));
        // A question would have been answered before the click returned.
        QVERIFY(!asked);
        QVERIFY(!QFile::exists(hotel.path(u"IPUSU.txt"_qs)));
        QVERIFY(window->isVisible());
        // The start-up file, named after the day before, was complete before the command was tried.
        QCOMPARE(hotel.xmlFiles(), QStringList{u"DuzizUzazi2024-02-28.xml"_qs});
        QVERIFY(hotel.read(u"DuzizUzazi2024-02-28.xml"_qs).endsWith("</movimenti>\r\n"));
    }
};

QTEST_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
