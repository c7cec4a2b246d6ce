#include "scheduledtask.h"

#include "savefile.h"
#include "operatorerror.h"

#include <QCoreApplication>
#include <QStringEncoder>
#include <QXmlStreamWriter>

#include <algorithm>

namespace app {

namespace {

// Task Scheduler's schema limits a path (the program, the working folder) to this many characters.
constexpr qsizetype kLongestPath = 260;

// The value as it goes into the XML, or OperatorError naming it: Task Scheduler refuses what
// its schema does not allow, and a control character would change what it names.
const QString &checked(const QString &what, const QString &value, qsizetype longest = -1)
{
    if (value.trimmed().isEmpty())
        throw core::OperatorError(u"Per l'attività pianificata manca %1.", {what});
    if (std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
        throw core::OperatorError(u"Per l'attività pianificata %1 «%2» contiene un carattere di controllo.", {what, value});
    if (longest >= 0 && value.size() > longest)
        throw core::OperatorError(u"Per l'attività pianificata %1 «%2» è troppo lungo: %3 caratteri, al massimo %4.",
                            {what, value, QString::number(value.size()), QString::number(longest)});
    return value;
}

void element(QXmlStreamWriter &xml, QStringView name, QStringView text)
{
    xml.writeTextElement(name.toString(), text.toString());
}

} // namespace

ScheduledTask scheduledTaskHere(const QDir &hotelFolder, const QString &user, QDate firstDay)
{
    return {QDir::toNativeSeparators(hotelFolder.absolutePath()), user,
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/NaxDesktop.exe")), firstDay};
}

QByteArray scheduledTaskXml(const ScheduledTask &task)
{
    const QString &folder = checked(QStringLiteral("il percorso della cartella dell'hotel"), task.hotelFolder, kLongestPath);
    const QString &program = checked(QStringLiteral("il percorso del programma"), task.program, kLongestPath);
    const QString &user = checked(QStringLiteral("il nome dell'utente"), task.user);

    QString body;
    QXmlStreamWriter xml(&body);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeDefaultNamespace(QStringLiteral("http://schemas.microsoft.com/windows/2004/02/mit/task"));
    xml.writeStartElement(QStringLiteral("Task"));
    // Version 1.2, Windows Vista's, holds everything set here and is read by every later Windows.
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));

    xml.writeStartElement(QStringLiteral("RegistrationInfo"));
    element(xml, u"Author", u"NaxDesktop");
    element(xml, u"Description",
                     u"Scrive i file dei movimenti dei giorni che mancano nel registro della cartella dell'hotel, "
                     u"ogni mattina alle 7:30 e all'accesso dell'utente. Il caricamento sul portale resta da fare a mano.");
    xml.writeEndElement();

    // Within a trigger the schema fixes the order of the elements.
    xml.writeStartElement(QStringLiteral("Triggers"));
    xml.writeStartElement(QStringLiteral("CalendarTrigger"));
    // Local time without a zone: 7:30 stays 7:30 across summer time.
    element(xml, u"StartBoundary", task.firstDay.toString(u"yyyy-MM-dd'T07:30:00'"));
    xml.writeStartElement(QStringLiteral("ScheduleByDay"));
    element(xml, u"DaysInterval", u"1");
    xml.writeEndElement();
    xml.writeEndElement();
    // The PC switched on after 7:30. The delay lets a server's share come up after the logon.
    xml.writeStartElement(QStringLiteral("LogonTrigger"));
    element(xml, u"UserId", user);
    element(xml, u"Delay", u"PT1M");
    xml.writeEndElement();
    xml.writeEndElement();

    // The user's own task, in the user's session, without a password or an administrator's rights.
    xml.writeStartElement(QStringLiteral("Principals"));
    xml.writeStartElement(QStringLiteral("Principal"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("Author"));
    element(xml, u"UserId", user);
    element(xml, u"LogonType", u"InteractiveToken");
    element(xml, u"RunLevel", u"LeastPrivilege");
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("Settings"));
    element(xml, u"MultipleInstancesPolicy", u"IgnoreNew");
    // Task Scheduler's defaults keep a laptop on battery from starting the task, or stop it.
    element(xml, u"DisallowStartIfOnBatteries", u"false");
    element(xml, u"StopIfGoingOnBatteries", u"false");
    // A 7:30 missed with the PC off runs as soon as it is on.
    element(xml, u"StartWhenAvailable", u"true");
    // A run takes seconds: one that hangs (a server that does not answer) is ended.
    element(xml, u"ExecutionTimeLimit", u"PT1H");
    xml.writeEndElement();

    // The window's program, built for the Windows desktop, opens no console; its working folder
    // is the hotel's, which Task Scheduler sets itself, a server's share as well as a drive.
    xml.writeStartElement(QStringLiteral("Actions"));
    xml.writeAttribute(QStringLiteral("Context"), QStringLiteral("Author"));
    xml.writeStartElement(QStringLiteral("Exec"));
    element(xml, u"Command", program);
    element(xml, u"Arguments", kScheduledTaskArguments);
    element(xml, u"WorkingDirectory", folder);
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeEndElement();
    // A writer into a text names no encoding: the declaration says what the bytes below are. The
    // writer begins the body with a line break.
    const QString document = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>"_qs + body + u'\n';
    QStringEncoder toUtf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return toUtf16(document);
}

void saveScheduledTask(const QString &path, const ScheduledTask &task)
{
    const QByteArray bytes = scheduledTaskXml(task);
    core::saveAtomically(path, [&](QIODevice &out) {
        if (out.write(bytes) != bytes.size())
            throw core::OperatorError(u"Scrittura non riuscita nel file «%1».", {QDir::toNativeSeparators(path)});
    });
}

} // namespace app
