// Holds a database file open as another program would, until its standard input closes:
//   holddatabase <file> shared      for reading and writing, others may read and write it too
//                                   (as the hotel program keeps its databases open)
//   holddatabase <file> exclusive   for reading and writing, nobody else may open it
// Prints "aperto" once the file is open; ends with status 1 when it cannot open it.

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t *argv[])
{
    if (argc != 3)
        return 2;
    const DWORD share = std::wcscmp(argv[2], L"shared") == 0 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("aperto");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(file);
    return 0;
}
