#!/usr/bin/env bash
# Takes the pictures of the operator's guide (docs/guida/*.png) from the real window, on the demo
# hotel, on a headless X display: the Windows build under Wine, framed by a Wine desktop as
# Windows frames it (after scripts/build-windows.sh), or with "linux" the Linux build in build/.
# Usage: scripts/guide-pictures.sh [windows|linux] [FOLDER]    (FOLDER: docs/guida)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
source scripts/windows-common.sh
system=${1:-windows}
out=$(realpath -m "${2:-docs/guida}")
mkdir -p "$out"
# The pictures show a receptionist's paths: on Linux, /home is an empty file system of this run's
# own, in a mount namespace that nothing else sees.
if [ "$system" = linux ] && [ -z "${NAX_GUIDE_HOME:-}" ]; then
    exec unshare --mount --propagation private env NAX_GUIDE_HOME=1 \
        bash -c 'mount -t tmpfs tmpfs /home && exec "$0" "$@"' "$0" "$system" "$out"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target NaxDesktop naxdemohotel -j"$(nproc)" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -z "${nax_xvfb:-}" ] || kill "$nax_xvfb" 2>/dev/null || true' EXIT
screen=1280x900
nax_start_xvfb ${screen}x24 -wr # a white screen around the windows

case $system in
    windows)
        export WINEPREFIX=${NAX_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/naxdesktop/wine}
        export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null
        hotel_base="$WINEPREFIX/drive_c/Hotel"
        documents='C:\Users\Reception\Documents\'
        mkdir -p "$WINEPREFIX/drive_c/Users/Reception/Documents"
        browser='C:\windows\system32\rundll32.exe' # a program without a window stands for the browser
        # A Wine desktop as large as the screen: around the windows there is only its background.
        start() { # [program and arguments]
            (cd "$hotel" && exec wine explorer /desktop=NaxDesktop,$screen "${@:-$top/build-windows/NaxDesktop/NaxDesktop.exe}" \
                 >>"$work/program.log" 2>&1) &
        }
        stop() { wineserver -k 2>/dev/null || true; wineserver -w; }
        command_line() { (cd "$hotel" && wine "$top/build-windows/NaxDesktop/NaxDesktopConsole.exe" "$@" >/dev/null 2>&1); }
        # The Windows style reaches the menu bar with Alt and opens a menu on its first item.
        choose() { # menu number, item number
            act key alt
            act key $(times "$(($1 - 1))" Right) Return
            [ "$2" -eq 1 ] || act key $(times "$(($2 - 1))" Down)
            cp "$current" "$work/menu.png"
            act key Return
        }
        ;;
    linux)
        export HOME=/home/reception
        hotel_base=$HOME/Hotel
        documents=$HOME/Documenti/
        mkdir -p "$documents" "$HOME/.config"
        echo 'XDG_DOCUMENTS_DIR="$HOME/Documenti"' >"$HOME/.config/user-dirs.dirs"
        browser=true
        start() { (cd "$hotel" && exec env -u QT_QPA_PLATFORM "$top/build/app/NaxDesktop" >>"$work/program.log" 2>&1) &
                  program=$!; }
        stop() { kill "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; }
        command_line() { (cd "$hotel" && "$top/build/app/NaxDesktop" "$@" >/dev/null); }
        # Without a window manager the window sits where it put itself; its menus are clicked.
        choose() { # menu number, item number
            eval "$(xdotool search --onlyvisible --name 'Preparazione file per Istat' getwindowgeometry --shell | grep -E '^[XY]=')"
            act mousemove $((X + ($1 == 1 ? 35 : 115))) $((Y + 10)) click 1
            act key $(times "$2" Down)
            cp "$current" "$work/menu.png"
            act key Return
        }
        ;;
    *) echo "guide-pictures.sh: windows oppure linux, non $system" >&2; exit 2 ;;
esac

# The demo hotel's databases, with the settings a hotel has after its first morning.
hotel=$hotel_base
rm -rf "$hotel"
mkdir -p "$hotel"
# Two doubtful cards among yesterday's arrivals, for the card check: a place not found, a birth
# date missing.
sed -e 's/"TORINO", "19550321"/"TORINOO", "19550321"/' -e 's/"19910611"/""/' demo/hotel.json >"$work/hotel.json"
build/tools/demohotel/naxdemohotel "$work/hotel.json" "$hotel" >/dev/null
cp demo/VeluSetup.txt "$hotel/"
settings() { # path of the file, command for the portal
    printf '%s\r\n%s\r\nA123456\r\n' "$1" "$2" >"$hotel/NaxSetup.txt"
}

# Starts the program (or what start is given), gives it the focus and waits until something is
# drawn on the screen and the screen has settled.
current=$work/current.png
begin() { # [program and arguments]
    start "$@"
    local window
    window=$(timeout 120 xdotool search --sync --onlyvisible --name "NaxDesktop|Preparazione file per Istat" | head -n 1)
    # There is no window manager on this display: the focus is given directly.
    xdotool windowfocus --sync "$window"
    for _ in $(seq 100); do
        nax_settled "$current"
        [ "$(convert "$current" -trim -format '%wx%h' info:)" = 1x1 ] || return 0
    done
    return 1
}
act() { # xdotool arguments..., waits for the screen to change and settle
    xdotool "$@"
    cp "$current" "$work/before.png"
    nax_settled "$current" "$work/before.png"
}
times() { for _ in $(seq "$1"); do echo "$2"; done; } # count, key
picture() { # name
    convert "$current" -trim +repage "$out/$1.png"
    echo "$out/$1.png"
}

# The first morning: the start-up phase is open, the portal's address is set.
settings "${documents}DuzizUzazi.xml" 'https://velunor.regione.example/Velunor/app/'
begin
picture finestra-avvio
choose 1 1
picture percorso-file
cp "$work/menu.png" "$current"
picture menu-impostazioni
act key Escape
choose 1 2
picture indirizzo-web
act key Escape
stop

# "Crea File" in the start-up phase: the question after the upload.
settings "${documents}DuzizUzazi.xml" "$browser"
begin
act key alt+c
picture domanda-startup
stop

# Every morning, and the card check. The week's files were written for both structures up to three
# days ago, and the start-up file above reported the day before yesterday: the yellow strip names
# yesterday, whose file is about to be written, as on most mornings.
printf 'Ok\r\n' >"$hotel/IPUSU.txt"
for structure in 1 2; do
    command_line --file classico --dalla "$(date -d '9 days ago' +%d/%m/%Y)" --alla "$(date -d '3 days ago' +%d/%m/%Y)" \
        --struttura $structure
done
begin
picture finestra
choose 2 1
picture controllo
stop

# A message: the folder of the file does not exist.
settings "${documents}Movimenti${documents: -1}DuzizUzazi.xml" "$browser"
begin
act key alt+c
picture messaggio
stop

# The installer's page that asks for the hotel's folder.
if [ "$system" = windows ]; then
    begin "$top/build-windows/NaxDesktop-$(nax_version)-setup.exe" '/CARTELLA=C:\Hotel'
    act key Return
    picture installazione-cartella
    stop
fi
rm -rf "$hotel"
