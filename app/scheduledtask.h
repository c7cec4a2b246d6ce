#pragma once

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QString>

// The Windows scheduled task that writes the missing days' files by itself: its definition in
// Task Scheduler's XML, which the installer registers with "schtasks /Create /XML". An XML
// writer escapes any folder name ("B&B Il Sole"), where a command line given to /TR cannot, and
// only the XML sets what the task needs on a reception PC: a run at logon besides 7:30, a missed
// start made up as soon as possible, on battery too, with no console window.
namespace app {

// What the task runs, in the hotel's folder: the missing days written, and the run told in the log.
inline constexpr QStringView kScheduledTaskArguments = u"--file proposto --dalla mancanti --log naxdesktop.log";

struct ScheduledTask
{
    QString hotelFolder; // the working folder, as Windows names it: "C:\Hotel" or "\\SERVER\share\Hotel"
    QString user;        // whose task it is, as Windows names the account: "DOMAIN\user"
    QString program;     // the window's program, NaxDesktop.exe, by its full path
    QDate firstDay;      // the day of the first 7:30 run
};

// The task for the hotel's folder given and the user, run by NaxDesktop.exe beside the program
// running now (the installer runs NaxDesktopConsole.exe, installed beside it), from `firstDay`.
ScheduledTask scheduledTaskHere(const QDir &hotelFolder, const QString &user, QDate firstDay);

// The task's XML as Task Scheduler reads it: UTF-16, little-endian, after its byte-order mark.
// Throws OperatorError, naming the value, for an empty one, one that holds a control character,
// or a path longer than the 260 characters Task Scheduler takes.
QByteArray scheduledTaskXml(const ScheduledTask &task);

// Writes the task's XML to `path`, whole or not at all. Throws OperatorError.
void saveScheduledTask(const QString &path, const ScheduledTask &task);

} // namespace app
