// The checked reading of settings and override files: a file larger than any settings file,
// or no file at all, is refused before it is read, with a message naming it.

#include "filebytes.h"
#include "movementerror.h"
#include "textfilelines.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace movement;

namespace {

QString refusal(const QString &path)
{
    try {
        textFileLines(path);
    } catch (const MovementError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestTextFileLines : public QObject
{
    Q_OBJECT

private slots:
    void readsUpToTheLimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"CamDispSPOT.txt"_qs);
        writeBytes(path, "12\r\n" + QByteArray(kMaxTextFileSize - 6, ' ') + "\r\n");
        QCOMPARE(textFileLines(path).size(), 2);

        writeBytes(path, "12\r\n" + QByteArray(kMaxTextFileSize - 5, ' ') + "\r\n");
        const QString message = refusal(path);
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)) && message.contains(u"troppo grande"), qPrintable(message));
    }

    void refusesAFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"VeluSetup.txt"_qs));
        const QString path = dir.filePath(u"VeluSetup.txt"_qs);
        const QString message = refusal(path);
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)) && message.contains(u"non è un file di testo"),
                 qPrintable(message));
    }
};

QTEST_APPLESS_MAIN(TestTextFileLines)
#include "tst_textfilelines.moc"
