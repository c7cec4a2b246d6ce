#pragma once

// A named pipe (FIFO) for the tests of files that are no plain files: its opening blocks until
// someone writes to it. Made with the system's own command, so that the tests build everywhere;
// where Unix pipes do not exist they are left out by their CTest label "unix-only".

#include <QProcess>
#include <QString>

inline bool makeNamedPipe(const QString &path)
{
    return QProcess::execute(QStringLiteral("mkfifo"), {path}) == 0;
}
