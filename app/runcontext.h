#pragma once

#include "movementcontext.h"
#include "movementfile.h"
#include "settings.h"

#include <QDate>
#include <QDir>
#include <QStringList>

#include <optional>

// What a run of the tool works with, gathered in one place for the window, its card check and
// the command line, so that all three write and check the same file for the same choices.
namespace app {

// The structure selector's items for the list read: "-" alone without a list, else "1" to N.
QStringList selectorItems(const std::optional<StructureList> &list);

// The file "Crea File" writes: the start-up file while "Start up" is ticked, else the
// closed-structure file when "Struttura chiusa" is, else the daily file.
movement::FileKind fileKind(bool startUp, bool closed);

// What the operator chose: the kind of file, the four entry fields as they stand and the
// structure selector's text.
struct RunChoices
{
    movement::FileKind kind;
    movement::GeneratorArgs fields;
    QString selector;
};

struct Run
{
    movement::FileKind kind;
    movement::MovementContext context;
    movement::GeneratorArgs args;
};

// The run the choices make with these settings and structures on the given day.
Run prepareRun(const QDir &folder, const Settings &settings, const StructureList &structures, const RunChoices &choices,
               QDate today);

} // namespace app
