// The Windows scheduled task as the installer gets it from the program: its XML read back as
// Task Scheduler reads it, for the folders and names a hotel has.

#include "commandlinerun.h"
#include "filebytes.h"
#include "scheduledtask.h"
#include "settingsfixture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace app;

Q_DECLARE_METATYPE(app::ScheduledTask)

namespace {

const QDate kInstalled(2026, 12, 8);

// Every element with text, as "Task/Path/Element=text", and every attribute, as
// "Task/Path/Element@name=value", in the order of the document, and what is wrong with it; the
// description, for people, left out.
QStringList readBack(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xff\xfe"))
        return {u"no UTF-16 little-endian byte-order mark"_qs};
    QXmlStreamReader xml(bytes);
    QStringList path;
    QStringList read;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isStartDocument() && xml.documentEncoding() != u"UTF-16")
            read << u"declared encoding "_qs + xml.documentEncoding().toString();
        if (xml.isStartElement()) {
            if (xml.namespaceUri() != u"http://schemas.microsoft.com/windows/2004/02/mit/task")
                read << xml.name().toString() + u" outside Task Scheduler's namespace"_qs;
            path << xml.name().toString();
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                read << path.join(u'/') + u'@' + attribute.name().toString() + u'=' + attribute.value().toString();
        } else if (xml.isCharacters() && !xml.isWhitespace() && path.value(1) != u"RegistrationInfo") {
            read << path.join(u'/') + u'=' + xml.text().toString();
        } else if (xml.isEndElement()) {
            path.removeLast();
        }
    }
    if (xml.hasError())
        read << u"not well formed: "_qs + xml.errorString();
    return read;
}

// What Task Scheduler must read for the task, in the order its schema wants within a trigger.
QStringList expectedTask(const ScheduledTask &task)
{
    return {u"Task@version=1.2"_qs,
            u"Task/Triggers/CalendarTrigger/StartBoundary="_qs + task.firstDay.toString(Qt::ISODate) + u"T07:30:00"_qs,
            u"Task/Triggers/CalendarTrigger/ScheduleByDay/DaysInterval=1"_qs,
            u"Task/Triggers/LogonTrigger/UserId="_qs + task.user,
            u"Task/Triggers/LogonTrigger/Delay=PT1M"_qs,
            u"Task/Principals/Principal@id=Author"_qs,
            u"Task/Principals/Principal/UserId="_qs + task.user,
            u"Task/Principals/Principal/LogonType=InteractiveToken"_qs,
            u"Task/Principals/Principal/RunLevel=LeastPrivilege"_qs,
            u"Task/Settings/MultipleInstancesPolicy=IgnoreNew"_qs,
            u"Task/Settings/DisallowStartIfOnBatteries=false"_qs,
            u"Task/Settings/StopIfGoingOnBatteries=false"_qs,
            u"Task/Settings/StartWhenAvailable=true"_qs,
            u"Task/Settings/ExecutionTimeLimit=PT1H"_qs,
            u"Task/Actions@Context=Author"_qs,
            u"Task/Actions/Exec/Command="_qs + task.program,
            u"Task/Actions/Exec/Arguments=--file proposto --dalla mancanti --log naxdesktop.log"_qs,
            u"Task/Actions/Exec/WorkingDirectory="_qs + task.hotelFolder};
}

// `start`, then as many "à" as make it `length` characters long, then `end`.
QString pathOf(qsizetype length, const QString &start, const QString &end = QString())
{
    return start + QString(length - start.size() - end.size(), u'à') + end;
}

} // namespace

class TestScheduledTask : public QObject
{
    Q_OBJECT

private slots:
    // The /TR command line failed on all of these: the XML carries them as they are.
    void readAsWritten_data()
    {
        QTest::addColumn<ScheduledTask>("task");
        QTest::newRow("drive letter, spaces")
            << ScheduledTask{u"C:\\Hotel di prova"_qs, u"HOTEL\\Maria Rossi"_qs,
                             u"C:\\Users\\Maria Rossi\\AppData\\Local\\Programs\\NaxDesktop\\NaxDesktop.exe"_qs, kInstalled};
        QTest::newRow("server share, ampersand, accents")
            << ScheduledTask{u"\\\\SERVER\\Condivisa\\B&B «Il Sole» Città"_qs, u"RECEPTION\\Niccolò"_qs,
                             u"D:\\Programmi\\Mare & Monti\\NaxDesktop.exe"_qs, QDate(2027, 3, 28)};
        QTest::newRow("200 characters each")
            << ScheduledTask{pathOf(200, u"\\\\SERVER\\Condivisa\\B&B "_qs), u"HOTEL-SANTA-LUCIA\\Reception Piano Terra"_qs,
                             pathOf(200, u"C:\\Users\\Reception\\"_qs, u"\\NaxDesktop.exe"_qs), kInstalled};
        QTest::newRow("260 characters, the most a path may have")
            << ScheduledTask{pathOf(260, u"E:\\"_qs), u"Maria"_qs, pathOf(260, u"E:\\"_qs, u"\\NaxDesktop.exe"_qs), kInstalled};
    }
    void readAsWritten()
    {
        QFETCH(ScheduledTask, task);
        QCOMPARE(readBack(scheduledTaskXml(task)), expectedTask(task));
    }

    // A value Task Scheduler would refuse, or read as something else, is refused by name and no
    // file is left.
    void refused_data()
    {
        QTest::addColumn<ScheduledTask>("task");
        QTest::addColumn<QString>("message");
        const QString folder = u"C:\\Hotel"_qs;
        const QString program = u"C:\\NaxDesktop\\NaxDesktop.exe"_qs;
        const QString longPath = pathOf(261, u"C:\\"_qs);
        // Messages cut a value to its first 200 characters.
        const QString tooLong = longPath.left(200) + u"...» è troppo lungo: 261 caratteri, al massimo 260."_qs;
        QTest::newRow("folder too long") << ScheduledTask{longPath, u"Maria"_qs, program, kInstalled}
                                         << u"il percorso della cartella dell'hotel «"_qs + tooLong;
        QTest::newRow("program too long") << ScheduledTask{folder, u"Maria"_qs, longPath, kInstalled}
                                          << u"il percorso del programma «"_qs + tooLong;
        QTest::newRow("no user") << ScheduledTask{folder, u" "_qs, program, kInstalled}
                                 << u"Per l'attività pianificata manca il nome dell'utente."_qs;
        QTest::newRow("user over two lines") << ScheduledTask{folder, u"HOTEL\nMaria"_qs, program, kInstalled}
                                             << u"il nome dell'utente «HOTEL\nMaria» contiene un carattere di controllo"_qs;
    }
    void refused()
    {
        QFETCH(ScheduledTask, task);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"attivita.xml"_qs);
        const QString error = settingsErrorOf([&] { saveScheduledTask(path, task); });
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(!QFile::exists(path));
    }

    // As the installer asks for it: in the hotel's folder, for the user given, the window's
    // program beside this one; the file's path printed.
    void writtenForTheInstaller()
    {
        QTemporaryDir hotel;
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = runCommandLine(u"NaxDesktopConsole.exe"_qs,
                                          {u"--attivita-pianificata"_qs, u"attivita.xml"_qs, u"--utente"_qs, u"HOTEL\\Maria"_qs},
                                          QDir(hotel.path()), kInstalled, out, err);
        QCOMPARE(status, int(kExitDone));
        const QString path = hotel.filePath(u"attivita.xml"_qs);
        QCOMPARE(out.data(), (QDir::toNativeSeparators(path) + u'\n').toUtf8());
        QCOMPARE(err.data(), QByteArray());
        const ScheduledTask task{
            QDir::toNativeSeparators(hotel.path()), u"HOTEL\\Maria"_qs,
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u"/NaxDesktop.exe"_qs), kInstalled};
        QCOMPARE(readBytes(path), scheduledTaskXml(task));
    }
};

QTEST_GUILESS_MAIN(TestScheduledTask)
#include "tst_scheduledtask.moc"
