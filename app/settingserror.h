#pragma once

#include "operatorerror.h"

namespace app {

// A settings or state file that cannot be read or written, or a browser command that cannot
// be started, naming the file or the command. No caller tells it from the operator's other errors.
using SettingsError = core::OperatorError;

} // namespace app
