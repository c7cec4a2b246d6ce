#!/usr/bin/env bash
# Installs the Debian packages a task needs, and only those missing.
# Usage: scripts/install-deps.sh [run|test|windows]...   (default: run)
#   run      build the tool and start it
#   test     the tests: an independent reader of Jet files (mdbtools and, for one check, its
#            library), the fuzzers' compiler, a headless X server, the Debian package's checks
#            (systemd for systemd-analyze, which a container may lack), and a spreadsheet that
#            saves the register of written files back as an operator does
#   windows  the Windows build from Debian: MinGW-w64, Wine, NSIS, and what the Qt build
#            and the window tests under Wine need
set -euo pipefail

run=(
    cmake g++ make
    qt6-base-dev qt6-translations-l10n
    xdg-utils
    fonts-liberation2 fonts-crosextra-carlito
)
test=(
    mdbtools mdbtools-dev libglib2.0-dev pkg-config
    clang libclang-rt-14-dev
    xvfb xauth
    desktop-file-utils lintian dpkg-dev systemd
    libreoffice-calc-nogui
)
windows=(
    g++-mingw-w64-x86-64-posix ninja-build wine wine64 nsis zip unzip dpkg-dev
    xvfb xauth xdotool imagemagick
)

packages=()
for task in "${@:-run}"; do
    case $task in
        run) packages+=("${run[@]}") ;;
        test) packages+=("${run[@]}" "${test[@]}") ;;
        windows) packages+=("${run[@]}" "${windows[@]}") ;;
        *) echo "install-deps.sh: unknown task $task (run, test, windows)" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installo i pacchetti mancanti: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
