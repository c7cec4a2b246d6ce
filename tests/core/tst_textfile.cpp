#include "settingsfixture.h"
#include "textfilelines.h"

#include <QTemporaryDir>
#include <QTest>

using namespace core;

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void readsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QByteArray("a\r\n b \r\n") << QStringList{u"a"_qs, u" b "_qs};
        QTest::newRow("last line unended") << QByteArray("a\r\nb") << QStringList{u"a"_qs, u"b"_qs};
        QTest::newRow("lf and cr") << QByteArray("a\nb\rc") << QStringList{u"a"_qs, u"b"_qs, u"c"_qs};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{u""_qs, u""_qs, u"x"_qs};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{u""_qs};
        QTest::newRow("windows-1252") << QByteArray("Caff\xE8 \x80 \xB4\r\n") << QStringList{u"Caffè € ´"_qs};
        QTest::newRow("utf-8") << QByteArray("Caff\xC3\xA8 \xE2\x82\xAC\r\n") << QStringList{u"Caffè €"_qs};
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBFok\r\n") << QStringList{u"ok"_qs};
    }
    void readsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        QCOMPARE(textFileLines(fileWith(dir, u"f.txt"_qs, bytes)), lines);
    }

    void unreadableFileIsNamed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"missing.txt"_qs);
        const QString message = settingsErrorOf([&] { textFileLines(path); });
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    }

    void refusesWhatIsNoSettingsFile()
    {
        // Up to the limit a file is read; a byte more, or a folder, is refused with its name.
        QTemporaryDir dir;
        const QString path = fileWith(dir, u"CamDispSPOT.txt"_qs, "12\r\n" + QByteArray(kMaxTextFileSize - 6, ' ') + "\r\n");
        QCOMPARE(textFileLines(path).size(), 2);
        fileWith(dir, u"CamDispSPOT.txt"_qs, "12\r\n" + QByteArray(kMaxTextFileSize - 5, ' ') + "\r\n");
        QString message = settingsErrorOf([&] { textFileLines(path); });
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)) && message.contains(u"troppo grande"), qPrintable(message));
        QVERIFY(QDir(dir.path()).mkdir(u"VeluSetup.txt"_qs));
        message = settingsErrorOf([&] { textFileLines(dir.filePath(u"VeluSetup.txt"_qs)); });
        QVERIFY2(message.contains(u"VeluSetup.txt") && message.contains(u"non è un file di testo"), qPrintable(message));
    }

    void writesWindows1252WithCrLf()
    {
        QTemporaryDir dir;
        const QString path = fileWith(dir, u"f.txt"_qs, "old content that is longer");
        writeTextLines(path, {u"Caffè €"_qs, u""_qs, u"L´A12"_qs});
        QCOMPARE(readBytes(path), QByteArray("Caff\xE8 \x80\r\n\r\nL\xB4" "A12\r\n"));
        QCOMPARE(textFileLines(path), (QStringList{u"Caffè €"_qs, u""_qs, u"L´A12"_qs}));
    }

    void refusesWhatTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("outside windows-1252") << u"東京"_qs;
        QTest::newRow("line break") << u"a\nb"_qs;
        QTest::newRow("carriage return") << u"a\rb"_qs;
    }
    void refusesWhatTheFileCannotHold()
    {
        QFETCH(QString, line);
        QTemporaryDir dir;
        const QString path = fileWith(dir, u"f.txt"_qs, "earlier\r\n");
        const QString message = settingsErrorOf([&] { writeTextLines(path, {u"ok"_qs, line}); });
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        QCOMPARE(readBytes(path), QByteArray("earlier\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
