#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tool need, and only those missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libglib2.0-dev mdbtools mdbtools-dev
    clang libclang-rt-14-dev
    xvfb xauth
    xdg-utils
    desktop-file-utils
    fonts-liberation2 fonts-crosextra-carlito
)

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
