#pragma once

#include "filefigures.h"
#include "movementfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace movement {

// One line of the register of written files "NaxRegistro.csv": when and by what a movement
// file was written, which file, and the figures it reports. Figures only: nothing that names or
// describes a guest.
struct RegisterEntry
{
    enum class Source { Window, CommandLine };

    QDateTime writtenAt; // local time, to the second
    Source source = Source::Window;
    FileKind kind = FileKind::Classic;
    QString structure; // the structure code the file carries
    QString roomFrom;
    QString roomTo;
    QString path; // as the system writes it
    qint64 size = 0;
    QString sha256; // 64 lowercase hexadecimal digits
    FileFigures figures;

    // The line for the file at `path`, just written: its size and SHA-256 are read from the disk.
    // Throws OperatorError naming the file when it cannot be read, its message a phrase as
    // WrittenFiles gives.
    static RegisterEntry forFile(const QString &path, FileKind kind, const FileFigures &figures, Source source,
                                 const QDateTime &writtenAt, const QString &structure, const QString &roomFrom,
                                 const QString &roomTo);

    // The line's fields in the order of registerCaptions().
    QStringList texts() const;
    // The entry a line's fields give; columns after the known ones are ignored. nullopt when a
    // field is missing or holds what the tool never writes there.
    static std::optional<RegisterEntry> fromTexts(const QStringList &texts);
};

// The captions of the register's columns, its first line.
QStringList registerCaptions();

} // namespace movement
