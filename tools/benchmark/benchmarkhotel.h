#pragma once

#include "description.h"

#include <QDate>
#include <QDir>
#include <QList>
#include <QString>

#include <utility>

// The large hotel the benchmark measures: fifteen years of archived stays around a fixed
// reference day, in the demo hotel's table layouts, always the same bytes for the same size.
namespace benchmark {

struct HotelSize
{
    int rooms = 300;            // in two room types
    int archivedCards = 250000; // spread evenly over `years` before the reference day
    int currentCards = 1000;    // arrived in the fortnight up to the reference day
    int municipalities = 8000;
    int countries = 250;
    int years = 15;
};

// The day the measured ranges end on (the current cards are around it).
QDate referenceDay();

// The six databases of the hotel, by file name; throws std::runtime_error when the demo
// template that gives the layouts cannot be read.
QList<std::pair<QString, jetwriter::Description>> benchmarkDatabases(const HotelSize &size);

// Writes them into the folder, replacing files of the same names.
void writeBenchmarkHotel(const HotelSize &size, const QDir &folder);

} // namespace benchmark
