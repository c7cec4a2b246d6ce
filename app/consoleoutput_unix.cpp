#include "consoleoutput.h"

namespace app {

// Terminals here take the bytes as they come, in the locale's UTF-8.
ConsoleOutput::ConsoleOutput() = default;
ConsoleOutput::~ConsoleOutput() = default;

} // namespace app
