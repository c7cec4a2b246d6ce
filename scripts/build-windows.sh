#!/usr/bin/env bash
# Builds NaxDesktop for 64-bit Windows on Debian 12 and packs it:
#   build-windows/                                 the build tree: the programs and their tests
#   build-windows/NaxDesktop/                      the program with every DLL and plugin it loads
#   build-windows/NaxDesktop-VERSION-windows.zip   that folder, to unpack anywhere
#   build-windows/NaxDesktop-VERSION-setup.exe     the installer
# The first run also builds Qt for Windows (scripts/build-qt-windows.sh), which takes long;
# later runs reuse it.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
source scripts/windows-common.sh
scripts/install-deps.sh windows

qt=$(scripts/build-qt-windows.sh)
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# The program's folder: what the install rules name, the Qt plugins it loads, and every DLL
# these need that Windows itself does not have, from Qt and from the MinGW runtime.
stage="$build/NaxDesktop"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    install -D -m 644 "$qt/plugins/$plugin" "$stage/$plugin"
done
nax_find_dll_folders "$qt"
needed() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
pending=("$stage"/*.exe "$stage"/*/*.dll)
while [ ${#pending[@]} -gt 0 ]; do
    binary=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(needed "$binary"); do
        [ -e "$stage/$dll" ] && continue
        for dir in "${nax_dll_folders[@]}"; do
            if [ -f "$dir/$dll" ]; then
                install -m 644 "$dir/$dll" "$stage/$dll"
                pending+=("$stage/$dll")
                break
            fi
        done # a DLL found nowhere here is one of Windows' own
    done
done

version=$(nax_version)
zip=$build/NaxDesktop-$version-windows.zip
rm -f "$zip"
(cd "$build" && zip -qr "$(basename "$zip")" NaxDesktop)

# The uninstaller removes exactly the files the installer put in place, and the folders only
# when they are left empty: never anything else in them.
{
    echo "; Written by scripts/build-windows.sh: the program's files, for the uninstaller."
    echo '!macro RemoveFiles'
    (cd "$stage" && find . -type f | sed 's|^\./||' | sort) | while read -r file; do
        echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    (cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r) | while read -r dir; do
        echo "  RMDir \"\$INSTDIR\\${dir//\//\\}\""
    done
    echo '!macroend'
} >"$build/installer-files.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$top/$stage" -DREMOVE="$top/$build/installer-files.nsh" \
    -DICON="$top/packaging/windows/naxdesktop.ico" -DOUTFILE="$top/$build/NaxDesktop-$version-setup.exe" \
    packaging/windows/naxdesktop.nsi

echo "Programma: $build/NaxDesktop/NaxDesktop.exe"
echo "Pacchetti: $zip, $build/NaxDesktop-$version-setup.exe"
