#pragma once

#include "daycoverage.h"
#include "movementfile.h"
#include "operatorerror.h"
#include "roomrange.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

// The program's command line, for files written on a schedule and the card check:
// NaxDesktop --file classico|avvio|chiusa|proposto --dalla GG/MM/AAAA [--alla GG/MM/AAAA]
//            [--dalla-camera X] [--alla-camera Y] [--struttura N], or --controllo,
//            --file proposto --dalla mancanti [--giorni N], --mancanti [--giorni N],
//            each with [--log FILE]; --help, --version; for the Windows installer,
//            --attivita-pianificata FILE --utente DOMINIO\utente.
namespace app {

struct CommandLine
{
    enum class Action { Help, Version, File, Check, Missing, ScheduledTask };

    Action action = Action::Help;
    std::optional<movement::FileKind> kind; // none ("proposto" or no --file): what the window starts with
    // The four fields as the window holds them after Enter; an option left out takes the
    // window's first text ("Alla data" as "Dalla data").
    QString dalla;
    QString alla;
    QString dallaCamera;
    QString allaCamera = movement::kLastRoom.toString();
    std::optional<QString> structure; // none: the selector's first item
    // --dalla mancanti: every day the register misses rather than the days given.
    bool missingDays = false;
    int days = movement::kMissingDaysLooked; // how many days up to the last one due the missing days look at
    std::optional<QString> log;              // --log: the file the run notes itself in
    QString taskFile;                        // --attivita-pianificata: where the task's XML goes
    QString taskUser;                        // --utente: whose task it is
};

// A command line that cannot be used, with an Italian message naming the option at fault.
// A kind of its own: the command line answers it with the usage text and an exit code of its own.
class UsageError : public core::OperatorError
{
public:
    using core::OperatorError::OperatorError;
};

// Reads the arguments after the program's name; "ieri" and "oggi" are the days before and of
// `today`. Dates and rooms are cleaned and completed as the window's fields are on Enter.
// Throws UsageError.
CommandLine parseCommandLine(const QStringList &arguments, QDate today);

// The Italian help, "--help"'s text, naming the program as it was started.
QString usageText(const QString &program);

// What a usage error prints: its message and where the help is, a line each.
QString usageErrorText(const UsageError &error, const QString &program);

// The menu entry's option: work in the hotel's folder remembered for it. The window asks for the
// folder the first time or when it no longer exists; a command line given it never asks.
inline constexpr QByteArrayView kFromTheMenu = "--cartella-hotel";

// With kFromTheMenu: ask for the hotel's folder again, whatever was chosen before.
inline constexpr QByteArrayView kChooseAgain = "--scegli";

// Whether the program's arguments ask for the command line rather than the window: any that
// begins with "--" (the window's own toolkit options take a single dash) but kFromTheMenu and,
// beside it, kChooseAgain.
bool wantsCommandLine(int argc, const char *const *argv);

// Whether the program is to work in the hotel's folder remembered for the menu entry.
bool startsFromTheMenu(int argc, const char *const *argv);

// Whether the menu entry's folder is to be asked for again.
bool choosesAgain(int argc, const char *const *argv);

} // namespace app
