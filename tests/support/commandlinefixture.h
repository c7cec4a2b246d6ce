#pragma once

// Runs the command line in process on a folder standing in for the hotel's, on a fixed day,
// and keeps what it printed.

#include "commandlinerun.h"
#include "naxwindow.h"

#include <QBuffer>

namespace naxwindow {

struct Output
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline Output runIn(const Hotel &hotel, const QStringList &arguments, QDate today)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = app::runCommandLine(QStringLiteral("NaxDesktop"), arguments, QDir(hotel.dir.path()), today, out, err);
    return {status, out.data(), err.data()};
}

} // namespace naxwindow
