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

# Starts a headless X server with the screen size given (and any further Xvfb options) on a free
# display it picks itself, and returns once it takes connections, with DISPLAY set and its process
# in nax_xvfb. Its files go to $work.
nax_start_xvfb() { # size, options...
    local display
    mkfifo "$work/display"
    Xvfb -displayfd 3 "${@:2}" -screen 0 "$1" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    nax_xvfb=$!
    read -r -t 30 display <"$work/display" || { cat "$work/xvfb.log"; echo "Xvfb non è partito" >&2; return 1; }
    export DISPLAY=:$display
}

# Puts a shot of the screen into FILE once it has changed from BEFORE (when given) and then stays
# the same for two shots in a row, a blinking cursor aside.
nax_settled() { # file [before]
    local shot=$work/shot.png previous=$work/previous.png
    rm -f "$previous"
    for _ in $(seq 200); do
        import -window root "$shot"
        if [ -f "$previous" ] && [ "$(nax_pixels_apart "$shot" "$previous")" -lt 50 ] \
            && { [ -z "${2:-}" ] || [ "$(nax_pixels_apart "$shot" "$2")" -ge 50 ]; }; then
            mv "$shot" "$1"
            return 0
        fi
        mv "$shot" "$previous"
        sleep 0.3
    done
    echo "lo schermo non si ferma" >&2
    return 1
}
nax_pixels_apart() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ printf "%d", $1 }' || true; }
