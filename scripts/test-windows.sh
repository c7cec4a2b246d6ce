#!/usr/bin/env bash
# Tests the Windows build under Wine, after building it with scripts/build-windows.sh:
#   1. the CTest suite built for Windows, on the offscreen platform, but the tests labelled
#      unix-only (they need Unix signals, FIFOs, /proc or Linux programs);
#   2. the real window, NaxDesktop.exe on an X display, on the demo hotel: "Crea File" writes
#      the same bytes as the Linux build for the same folder, day and choices; a screenshot of
#      it goes to build-windows/naxdesktop-windows.png;
#   3. the installer, silently, with the hotel's folder given and the scheduled task asked for:
#      files, the shortcuts to the program and its guide, the task's XML as the program wrote it
#      and Wine's schtasks registered it, an earlier installer's task removed, the installed
#      program starting; then the uninstaller, which removes the task and leaves the hotel's
#      files alone. Wine runs no task: the XML's own test (tst_scheduledtask) checks the rest.
# The Wine prefix is NAX_WINEPREFIX, or ~/.cache/naxdesktop/wine; its first start takes a while.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
source scripts/windows-common.sh

scripts/build-windows.sh
qt=$(scripts/build-qt-windows.sh)
version=$(nax_version)
work=$(mktemp -d)
trap 'rm -rf "$work"; [ -z "${nax_xvfb:-}" ] || kill "$nax_xvfb" 2>/dev/null || true' EXIT

export WINEPREFIX=${NAX_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/naxdesktop/wine}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparo Wine in $WINEPREFIX"
    wineboot -i >/dev/null || { echo "wineboot non ha preparato $WINEPREFIX"; exit 1; }
fi
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot non ha preparato $WINEPREFIX"; exit 1; }
win() { winepath -w "$1"; }

failures=()
fail() { echo "FAIL: $*"; failures+=("$*"); }

# 1. The test suite. Programs find Qt's and MinGW's DLLs through WINEPATH, the plugins through
# QT_PLUGIN_PATH; the tests choose the offscreen platform themselves.
nax_find_dll_folders "$qt"
winepath_list=""
for dir in "${nax_dll_folders[@]}"; do winepath_list+="$(win "$dir");"; done
export WINEPATH=$winepath_list
# Wine passes QT_ variables to Windows programs only when they are named WINEQT_.
plugins=$(win "$qt/plugins")
export WINEQT_PLUGIN_PATH=$plugins
echo "== Test della versione Windows sotto Wine"
# The slowest test takes about 20 seconds under Wine; one that hangs fails after three minutes.
if ! (cd build-windows && ctest -LE unix-only --output-on-failure --timeout 180 -j2); then
    fail "la suite di test sotto Wine"
    while IFS=: read -r _ name; do
        find build-windows/tests -name "$name.txt" -exec sh -c 'echo "== $1"; cat "$1"' sh {} \;
    done < build-windows/Testing/Temporary/LastTestsFailed.log
fi

# 2. The real window, on the same demo hotel as the Linux build, driven through its keys.
echo "== La finestra vera: file uguali a quelli della versione Linux"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target NaxDesktop naxdemohotel -j"$(nproc)" >/dev/null
nax_start_xvfb 1024x768x24
for system in linux windows; do
    hotel="$work/$system"
    mkdir -p "$hotel"
    build/tools/demohotel/naxdemohotel demo/hotel.json "$hotel" >/dev/null
    cp demo/VeluSetup.txt "$hotel/"
    printf 'Ok\r\n' >"$hotel/IPUSU.txt"
    # The portal's page is not opened: a command that does nothing stands for the browser.
    browser=$([ $system = linux ] && echo true || echo 'C:\windows\system32\cmd.exe /c rem')
    printf 'DuzizUzazi.xml\r\n%s\r\nABC123\r\n' "$browser" >"$hotel/NaxSetup.txt"
done
run_window() { # system, program...
    local system=$1
    shift
    (cd "$work/$system" && exec "$@" >"$work/$system.log" 2>&1) &
    local pid=$!
    local window
    window=$(timeout 120 xdotool search --sync --onlyvisible --name "Preparazione file per Istat" | head -n 1) || true
    if [ -z "$window" ]; then
        kill "$pid" 2>/dev/null || true
        fail "la finestra di $system non è comparsa"
        return
    fi
    # There is no window manager on this display: the focus is given directly.
    xdotool windowfocus --sync "$window" key --clearmodifiers alt+c || fail "tasti non inviati alla finestra di $system"
    timeout 120 tail --pid="$pid" -f /dev/null || fail "la finestra di $system non si è chiusa"
}
run_window linux env -u QT_QPA_PLATFORM "$top/build/app/NaxDesktop"
# The program's own folder must hold every DLL and plugin it loads.
run_window windows env -u WINEPATH -u WINEQT_PLUGIN_PATH wine "$top/build-windows/NaxDesktop/NaxDesktop.exe"
wineserver -w
linux_files=$(cd "$work/linux" && ls ./*.xml 2>/dev/null || true)
windows_files=$(cd "$work/windows" && ls ./*.xml 2>/dev/null || true)
if [ -z "$linux_files" ] || [ "$linux_files" != "$windows_files" ]; then
    fail "file scritti diversi: Linux «$linux_files», Windows «$windows_files»"
else
    for file in $linux_files; do
        cmp "$work/linux/$file" "$work/windows/$file" || fail "$file differisce fra Linux e Windows"
    done
    echo "Stessi byte: $linux_files"
fi
# The screenshot, in a Wine desktop of the window's size, which frames it as Windows does.
(cd "$work/windows" && exec env -u WINEPATH -u WINEQT_PLUGIN_PATH wine explorer /desktop=NaxDesktop,420x400 \
    "$top/build-windows/NaxDesktop/NaxDesktop.exe" >/dev/null 2>&1) &
# The window is drawn once its light blue fills a tenth of the desktop and the screen is still.
drawn=
if timeout 120 xdotool search --sync --name "Wine desktop" >/dev/null; then
    for _ in $(seq 100); do
        nax_settled "$work/screen.png" || break
        convert "$work/screen.png" -crop 420x400+0+0 +repage "$work/desktop.png"
        blue=$(convert "$work/desktop.png" -fill black +opaque '#C0C0FF' -fill white -opaque '#C0C0FF' -format '%[fx:mean]' info:)
        if awk "BEGIN { exit !($blue > 0.1) }"; then
            mv "$work/desktop.png" build-windows/naxdesktop-windows.png
            drawn=yes
            break
        fi
    done
fi
[ -n "$drawn" ] && echo "Schermata: build-windows/naxdesktop-windows.png" || fail "la finestra non è comparsa nel desktop di Wine"
wineserver -k || true

# 3. The installer, silently, as an office would roll it out; then the uninstaller.
echo "== Installazione e disinstallazione"
hotel="$WINEPREFIX/drive_c/Hotel di prova"
rm -rf "$hotel"
mkdir -p "$hotel"
build/tools/demohotel/naxdemohotel demo/hotel.json "$hotel" >/dev/null
printf 'DuzizUzazi.xml\r\nC:\\windows\\system32\\cmd.exe /c rem\r\nABC123\r\n' >"$hotel/NaxSetup.txt"
printf 'Ok\r\n' >"$hotel/IPUSU.txt"
(cd "$hotel" && find . -type f -exec md5sum {} + | sort) >"$work/hotel-before"
# The task an earlier installer made, which the installation replaces.
tasks="$WINEPREFIX/drive_c/windows/system32/tasks"
task="$tasks/NaxDesktop - file dei giorni mancanti"
old_task="$tasks/NaxDesktop - file di ieri"
printf '%s' '<?xml version="1.0"?><Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task"><Actions><Exec><Command>cmd.exe</Command></Exec></Actions></Task>' >"$work/old-task.xml"
wine schtasks /Create /F /TN "NaxDesktop - file di ieri" /XML "$(win "$work/old-task.xml")" && [ -f "$old_task" ] \
    || fail "l'attività pianificata del vecchio installatore non si è potuta preparare"
wine "build-windows/NaxDesktop-$version-setup.exe" /S /ATTIVITA '/CARTELLA=C:\Hotel di prova' || fail "l'installazione silenziosa"
wineserver -w
programs=$(find "$WINEPREFIX/drive_c/users" -path '*Programs/NaxDesktop' -type d | head -n 1)
shortcut=$(find "$WINEPREFIX/drive_c/users" -name 'Preparazione file per Istat (Velunor).lnk' | head -n 1)
guide=$(find "$WINEPREFIX/drive_c/users" -name 'Guida di NaxDesktop.lnk' | head -n 1)
if [ -z "$programs" ] || [ ! -f "$programs/NaxDesktop.exe" ] || [ ! -f "$programs/platforms/qwindows.dll" ]; then
    fail "il programma non è installato con le sue librerie"
elif [ -z "$shortcut" ]; then
    fail "manca il collegamento nel menu Start"
else
    strings -e l "$shortcut" | grep -qF 'C:\Hotel di prova' || fail "il collegamento non lavora nella cartella dell'hotel"
    # The task's XML as the installed program wrote it for the installer: UTF-16 after its
    # byte-order mark, the window's program run in the hotel's folder.
    xml="$programs/attivita-pianificata.xml"
    if [ "$(head -c 2 "$xml" 2>/dev/null | od -An -tx1 | tr -d ' ')" != fffe ]; then
        fail "manca l'XML dell'attività pianificata, o non è UTF-16"
    else
        iconv -f UTF-16 -t UTF-8 "$xml" >"$work/task.xml"
        grep -qF '<WorkingDirectory>C:\Hotel di prova</WorkingDirectory>' "$work/task.xml" \
            && grep -qiF "<Command>$(win "$programs/NaxDesktop.exe")</Command>" "$work/task.xml" \
            || { cat "$work/task.xml"; fail "l'attività pianificata non avvia NaxDesktop.exe nella cartella dell'hotel"; }
    fi
    # Wine's schtasks takes the XML and keeps the settings it reads of it (not the triggers, nor
    # the action); the earlier task is gone.
    for setting in '<DisallowStartIfOnBatteries>false' '<StopIfGoingOnBatteries>false' '<StartWhenAvailable>true' \
                   '<ExecutionTimeLimit>PT1H'; do
        grep -qF "$setting" "$task" 2>/dev/null || fail "l'attività registrata non ha $setting"
    done
    [ ! -e "$old_task" ] || fail "l'installazione ha lasciato l'attività pianificata del vecchio installatore"
    [ -n "$guide" ] && [ -f "$programs/guida/guida.html" ] || fail "manca la guida nel menu Start"
    # The installed program starts in the hotel's folder, shows its window and stays up while it is drawn.
    (cd "$hotel" && exec env -u WINEPATH -u WINEQT_PLUGIN_PATH wine "$programs/NaxDesktop.exe" >"$work/installed.log" 2>&1) &
    pid=$!
    if timeout 120 xdotool search --sync --onlyvisible --name "Preparazione file per Istat" >/dev/null \
        && nax_settled "$work/installed.png" && kill -0 "$pid" 2>/dev/null; then
        echo "Il programma installato si avvia"
    else
        fail "il programma installato non mostra la sua finestra: $(cat "$work/installed.log")"
    fi
    wineserver -k || true
    wait "$pid" 2>/dev/null || true
    echo "non del programma" >"$programs/appunti.txt"
    wine "$programs/Disinstalla NaxDesktop.exe" /S "_?=$(win "$programs")" || fail "la disinstallazione"
    wineserver -w
    [ ! -f "$programs/NaxDesktop.exe" ] && [ ! -f "$shortcut" ] && [ ! -f "$guide" ] || fail "la disinstallazione ha lasciato il programma"
    [ ! -e "$task" ] && [ ! -e "$xml" ] || fail "la disinstallazione ha lasciato l'attività pianificata"
    [ -f "$programs/appunti.txt" ] || fail "la disinstallazione ha tolto un file che non era suo"
    (cd "$hotel" && find . -type f -exec md5sum {} + | sort) >"$work/hotel-after"
    cmp -s "$work/hotel-before" "$work/hotel-after" || fail "la disinstallazione ha toccato la cartella dell'hotel"
    rm -rf "$programs"
fi

if [ ${#failures[@]} -gt 0 ]; then
    printf 'Falliti: %s\n' "${failures[@]}"
    exit 1
fi
echo "Tutto bene sotto Wine."
