#pragma once

// A named pipe (FIFO) for the tests of files that are no plain files: its opening blocks until
// someone writes to it. Made with the system's own command, so that the tests build everywhere;
// false where there are no such pipes (Windows), and the test skips what needs one.

#include <QProcess>
#include <QString>

inline bool makeNamedPipe(const QString &path)
{
    return QProcess::execute(QStringLiteral("mkfifo"), {path}) == 0;
}
