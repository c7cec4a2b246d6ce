#include "consoleoutput.h"

#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <fcntl.h>
#include <io.h>

namespace app {

ConsoleOutput::ConsoleOutput()
{
    // The window's program started by a scheduled task has no standard streams at all: their
    // descriptors are negative, which the C runtime may take for a fault of the program's.
    for (FILE *stream : {stdout, stderr}) {
        if (_fileno(stream) >= 0)
            _setmode(_fileno(stream), _O_BINARY);
    }
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
