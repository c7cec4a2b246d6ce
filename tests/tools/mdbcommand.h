#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// Runs a command-line program (mdbtools' own, found on PATH, or jetwrite) to the end.
struct CommandRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline CommandRun runCommand(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, (program + QStringLiteral(": ") + process.errorString()).toUtf8()};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
