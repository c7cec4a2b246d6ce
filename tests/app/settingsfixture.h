#pragma once

// Settings and state files planted in a temporary folder, and the message a reading refuses them with.

#include "../movement/filebytes.h"
#include "settingserror.h"

#include <QTemporaryDir>

// Writes bytes as the file name inside dir and returns its path.
inline QString fileWith(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    writeBytes(path, bytes);
    return path;
}

// The message of the SettingsError call throws, empty when it throws none.
template<typename F>
QString settingsErrorOf(F &&call)
{
    try {
        call();
    } catch (const app::SettingsError &e) {
        return e.message();
    }
    return QString();
}
