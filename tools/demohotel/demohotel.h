#pragma once

#include "description.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QList>
#include <QString>

#include <utility>

// The demo hotel: a fictional hotel's databases kept as a template of Jet descriptions whose
// dates are days counted from today, so that yesterday always has arrivals, departures and
// guests lodged.
namespace demo {

// The template is {"databases": {"File.mdb": <jetwrite description>, ...}}. In it, a text value
// "@n" is the day n days from today as YYYYMMDD, and "@n#k" is the whole number k plus a
// million times the last two digits of that day's year (an archived guest's number).
// Throws std::runtime_error naming what in the template is wrong.
QList<std::pair<QString, jetwriter::Description>> demoDatabases(const QByteArray &templateJson, QDate today);

// Writes the template's databases into the folder, replacing files of the same names.
void writeDemoHotel(const QByteArray &templateJson, const QDir &folder, QDate today);

} // namespace demo
