#pragma once

// Stands in for the system's browser: records, in order, what it was asked to open (addresses
// and command lines alike) and the folder of the last command. Nothing is started.

#include "browserlauncher.h"

#include <QStringList>

struct RecordingLauncher : app::BrowserLauncher
{
    QStringList opened;
    QString folder;

    bool openAddress(const QUrl &address) override
    {
        opened << address.toString();
        return true;
    }
    void startCommand(const QString &commandLine, const QDir &dir) override
    {
        opened << commandLine;
        folder = dir.path();
    }
};
