# What the Windows build and its tests under Wine share; sourced by build-windows.sh and
# test-windows.sh from the top of the repository.

# The program's version, as the top CMakeLists.txt declares it.
nax_version() {
    sed -n 's/^project(NaxDesktop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# Sets nax_dll_folders to where the program's DLLs come from: Qt's (the folder given) and the
# MinGW runtime's (libstdc++, libgcc, winpthread). A DLL found in none of them is Windows' own.
nax_find_dll_folders() {
    local compiler=x86_64-w64-mingw32-g++-posix stdcxx pthread
    stdcxx=$($compiler -print-file-name=libstdc++-6.dll)
    pthread=$(realpath "$($compiler -print-file-name=libwinpthread-1.dll)")
    nax_dll_folders=("$1/bin" "$(dirname "$stdcxx")" "$(dirname "$pthread")")
}
