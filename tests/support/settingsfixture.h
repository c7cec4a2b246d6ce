#pragma once

// Settings and state files planted in a temporary folder, and the message a reading refuses them with.

#include "filebytes.h"
#include "operatorerror.h"

#include <QStringList>
#include <QTemporaryDir>

// Writes bytes as the file name inside dir and returns its path.
inline QString fileWith(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    writeBytes(path, bytes);
    return path;
}

// A structure list's codes or room lists up to the last one given; those after it are empty.
template<typename Array>
QStringList entries(const Array &list)
{
    QStringList given(list.begin(), list.end());
    while (!given.isEmpty() && given.last().isEmpty())
        given.removeLast();
    return given;
}

// The message of the error call throws, empty when it throws none.
template<typename F>
QString settingsErrorOf(F &&call)
{
    try {
        call();
    } catch (const core::OperatorError &e) {
        return e.message();
    }
    return QString();
}
