#include "consoleoutput.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace app {

ConsoleOutput::ConsoleOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A program without a console (started by a scheduled task, say) has no code page to set.
    m_codePage = GetConsoleOutputCP();
    if (m_codePage != 0)
        SetConsoleOutputCP(CP_UTF8);
}

ConsoleOutput::~ConsoleOutput()
{
    if (m_codePage != 0)
        SetConsoleOutputCP(m_codePage);
}

} // namespace app
