#pragma once

#include "filefigures.h"
#include "movementfile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace movement {

// The register's columns, in the order the tool writes them.
enum class RegisterColumn {
    WrittenAt, Source, Kind, First, Last, Structure, RoomFrom, RoomTo, Path, Size, Sha256,
    Arrivals, Departures, GuestsPresent, RoomsOccupied
};
inline constexpr int kRegisterColumns = int(RegisterColumn::RoomsOccupied) + 1;

// The captions of the register's columns, its first line, in RegisterColumn's order.
QStringList registerCaptions();

// Where each column stands in a register's lines: the tool's own order, or the order the
// captions' line shows once a spreadsheet has moved or added columns. A column whose caption is
// gone is -1.
struct RegisterLayout
{
    QList<int> positions; // by RegisterColumn
    int width = kRegisterColumns; // how many columns the captions name, those of others included
    QChar separator = u';';

    static RegisterLayout tools();
    // The layout a line of captions shows; nullopt when the line is no line of captions.
    static std::optional<RegisterLayout> fromCaptions(QStringView line);
};

// One line of the register of written files "NaxRegistro.csv": when and by what a movement
// file was written, which file, and the figures it reports. Figures only: nothing that names or
// describes a guest.
//
// A line counts for its days when its kind and its days can be read: those are what the missing
// days need. The other fields are only shown; one that a spreadsheet or an editor left unreadable
// is shown empty (an invalid time, no source, no size, an empty SHA-256, no counts).
struct RegisterEntry
{
    enum class Source { Window, CommandLine };

    QDateTime writtenAt; // local time, to the second (to the minute once a spreadsheet saved it)
    std::optional<Source> source = Source::Window;
    FileKind kind = FileKind::Classic;
    QString structure; // the structure code the file carries
    QString roomFrom;
    QString roomTo;
    QString path; // as the system writes it
    std::optional<qint64> size;
    QString sha256; // 64 lowercase hexadecimal digits
    FileFigures figures;
    bool countsKnown = true; // whether the four counts of `figures` were read

    // The line for the file just written at `path`, with the size and SHA-256 of its bytes.
    static RegisterEntry forFile(const QString &path, FileKind kind, const FileFigures &figures, qint64 size,
                                 const QString &sha256, Source source, const QDateTime &writtenAt,
                                 const QString &structure, const QString &roomFrom, const QString &roomTo);

    // The line's fields in RegisterColumn's order; what is unknown is empty.
    QStringList texts() const;
    // What a column holds, as what it means: a time, a day, a number or a text; for sorting.
    QVariant value(RegisterColumn column) const;
    // The entry a line's fields give, read leniently where a spreadsheet may have changed them
    // (a time without seconds, a two-digit year, spaces around a field). nullopt when its kind
    // or its days cannot be read.
    static std::optional<RegisterEntry> fromTexts(const QStringList &texts,
                                                  const RegisterLayout &layout = RegisterLayout::tools());
};

} // namespace movement
