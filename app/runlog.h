#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The log a command-line run keeps of itself with --log (naxdesktop.log in the hotel's folder,
// for a scheduled run nobody watches): when it ran and what it wrote, or why nothing, in one or
// two lines, the last runs only.
namespace app {

// How many runs the log keeps: about a year of mornings, at a few hundred bytes each.
inline constexpr int kRunsKept = 300;

// The run's note: its time and what it printed, "fatto: ..." or "errore (stato N): ...", then,
// on a second line indented by two spaces, what it printed besides (a warning, the files
// written before a failure).
QString runNote(const QDateTime &when, int status, const QByteArray &out, const QByteArray &err);

// Adds the note to the log at `path` and drops the oldest runs beyond kRunsKept, whole or not at
// all, one writer at a time. The lines an earlier program printed into the file count for a
// run each. Throws OperatorError naming the file when it cannot be read or written.
void addRunNote(const QString &path, const QString &note);

} // namespace app
