#pragma once

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
//            --mancanti [--giorni N], --help, --version.
namespace app {

struct CommandLine
{
    enum class Action { Help, Version, File, Check, Missing };

    Action action = Action::Help;
    std::optional<movement::FileKind> kind; // none ("proposto" or no --file): what the window starts with
    // The four fields as the window holds them after Enter; an option left out takes the
    // window's first text ("Alla data" as "Dalla data").
    QString dalla;
    QString alla;
    QString dallaCamera;
    QString allaCamera = movement::kLastRoom.toString();
    std::optional<QString> structure; // none: the selector's first item
    int days = 7;                     // --mancanti: how many days before today it looks at
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

// The window's one option: start in the hotel's folder remembered for the menu entry, asking
// for it the first time or when it no longer exists.
inline constexpr QByteArrayView kFromTheMenu = "--cartella-hotel";

// With kFromTheMenu: ask for the hotel's folder again, whatever was chosen before.
inline constexpr QByteArrayView kChooseAgain = "--scegli";

// Whether the program's arguments ask for the command line rather than the window: any that
// begins with "--" (the window's own toolkit options take a single dash) but kFromTheMenu and,
// beside it, kChooseAgain.
bool wantsCommandLine(int argc, const char *const *argv);

// Whether the window is to start in the hotel's folder remembered for the menu entry.
bool startsFromTheMenu(int argc, const char *const *argv);

// Whether the menu entry's folder is to be asked for again.
bool choosesAgain(int argc, const char *const *argv);

} // namespace app
