#pragma once

#include "registerentry.h"

#include <QByteArray>
#include <QDir>
#include <QList>

namespace movement {

inline constexpr QStringView kRegisterFileName = u"NaxRegistro.csv";

// What the register holds: the lines read, in the file's order (oldest first), and the numbers,
// from 1, of those that could not be read (cut short, edited, of another program).
struct RegisterContents
{
    QList<RegisterEntry> entries;
    QList<int> unreadable;
    RegisterLayout layout = RegisterLayout::tools(); // where the columns stand, as the captions say

    // The register's bytes as the tool writes them or as a spreadsheet or an editor left them:
    // any encoding textLines reads; the captions' line and empty lines are skipped.
    static RegisterContents parse(const QByteArray &bytes);

    // The operator's warning naming the lines that could not be read; empty when there are none.
    QString warning() const;
};

// The register of the movement files written in the hotel's folder, "NaxRegistro.csv": a CSV
// file a spreadsheet opens as it stands, to which lines are only ever added. The window and a
// scheduled command line may add theirs at the same moment: a lock file beside it lets one
// writer at a time in, and neither waits long.
class WrittenFiles
{
public:
    // `waitMs`: how long a writer waits for another one.
    explicit WrittenFiles(const QDir &folder, int waitMs = kWaitMs) : m_folder(folder), m_waitMs(waitMs) {}

    QString path() const { return m_folder.absoluteFilePath(kRegisterFileName.toString()); }

    // Both throw OperatorError whose message is the reason, a phrase naming the file, without a
    // capital or a full stop, for the caller to say what did not happen.

    // What the register holds; nothing when there is no register yet. Throws when it cannot be
    // read at all.
    RegisterContents read() const;

    // Adds the line after everything the file holds, damaged lines included, which stay as they
    // are; a new register begins with the byte-order mark and the captions. Returns what the
    // register held before. When the line cannot be added, throws and the file is as it was.
    RegisterContents append(const RegisterEntry &entry) const;

    // How long a writer waits for another one, and after how long a lock left by a writer that
    // can no longer be asked (another computer's) counts as abandoned.
    static constexpr int kWaitMs = 5000;
    static constexpr int kStaleMs = 15000;

private:
    QByteArray bytes(QFile &file) const;

    QDir m_folder;
    int m_waitMs;
};

} // namespace movement
