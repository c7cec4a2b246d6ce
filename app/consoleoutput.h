#pragma once

// The command line's standard output and error as a terminal shows them, on every system: the
// messages are UTF-8 and the lines end in a line feed, the CSV keeps its own bytes. On Windows
// this means binary streams (text ones would turn the CSV's CR LF into CR CR LF) and a console
// set to UTF-8 while the program runs, so that "è" shows as such, then set back.
namespace app {

class ConsoleOutput
{
public:
    ConsoleOutput();
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput &) = delete;
    ConsoleOutput &operator=(const ConsoleOutput &) = delete;

private:
    unsigned m_codePage = 0; // the console's own, to be set back; 0 where there is none
};

} // namespace app
