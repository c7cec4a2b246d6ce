#pragma once

#include <QDate>
#include <QStringView>

// The three kinds of movement file: the words that name each wherever the operator meets it,
// and the first day each reports.
namespace movement {

enum class FileKind {
    Classic, // the daily movement file for a range of days
    Schema,  // the start-up file in the "movimentogiornaliero-0.5.xsd" layout
    Closed,  // the file for days on which the structure was closed
};

struct FileKindWords
{
    FileKind kind;
    QStringView option;   // the command line's value of "--file"
    QStringView recorded; // the register's column "File"
    QStringView shown;    // the windows' words after "File"
};

inline constexpr FileKindWords kFileKindWords[] = {
    {FileKind::Classic, u"classico", u"giornaliero", u"giornaliero"},
    {FileKind::Schema, u"avvio", u"avvio", u"di Start up"},
    {FileKind::Closed, u"chiusa", u"chiusa", u"di struttura chiusa"},
};

const FileKindWords &wordsOf(FileKind kind);

// The first day a file of the kind reports when "Dalla data" holds `typed`: the start-up file
// reports the night before it, the others the typed day itself.
QDate reportedDay(FileKind kind, QDate typed);
// The day "Dalla data" must hold for a file of the kind to report `day` first.
QDate typedDay(FileKind kind, QDate day);

} // namespace movement
