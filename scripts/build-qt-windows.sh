#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows once, from Debian's own qt6-base source package (the
# version of the host's Qt, whose tools then serve the cross build), and installs it into a cache
# folder that later runs reuse. The folder is NAX_QT_WINDOWS or ~/.cache/naxdesktop/qt-windows-VERSION.
# Usage: qt=$(scripts/build-qt-windows.sh)
# The folder is the only thing printed on standard output; the progress goes to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
exec 3>&1 1>&2

debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
version=${debian_version%%+*}
version=${version%%-*}
prefix=${NAX_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/naxdesktop/qt-windows-$version}

complete() { [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$prefix/.naxdesktop-complete" ]; }
complete && { echo "$prefix" >&3; exit 0; }

# A second run would remove the first one's build folder: it waits for the first to end.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
if ! flock -n 9; then
    echo "Un'altra compilazione di Qt per Windows è in corso in $prefix.work: attendo che finisca" >&2
    flock 9
    complete && { echo "$prefix" >&3; exit 0; }
fi

work="$prefix.work"
rm -rf "$work"
mkdir -p "$work"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# The source package comes from the same archive as the host's packages.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $debian_version\$"; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        list=/etc/apt/sources.list.d/naxdesktop-deb-src.sources
        echo "Aggiungo $list: le fonti deb-src dello stesso archivio Debian, per scaricare i sorgenti di Qt" >&2
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo[@]}" tee "$list" >/dev/null
    else
        list=/etc/apt/sources.list.d/naxdesktop-deb-src.list
        echo "Aggiungo $list: le fonti deb-src dello stesso archivio Debian, per scaricare i sorgenti di Qt" >&2
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | "${sudo[@]}" tee "$list" >/dev/null
    fi
    "${sudo[@]}" apt-get update -qq
fi
echo "Scarico i sorgenti di qt6-base $debian_version" >&2
(cd "$work" && apt-get source -qq "qt6-base=$debian_version" >/dev/null)
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

# Only what the tool and its tests use: Core, Gui, Widgets, Test, the Windows and offscreen
# platform plugins, Qt's bundled image and text libraries. Debian's source lacks the Windows
# tablet header, so tablet events are off; OpenGL stays on because the Windows platform plugin
# of this version does not build without it.
log="$work/build.log"
echo "Compilo Qt $version per Windows in $prefix: circa 1.150 passi, da mezz'ora a un'ora e mezza." >&2
echo "Registro completo: $log" >&2
cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_opengl_widgets=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_openssl=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
    >"$log" 2>&1 || { tail -n 30 "$log"; echo "Configurazione di Qt non riuscita: vedere $log" >&2; exit 1; }

# Ninja's "[done/total]" status lines, one a minute, and the last one.
progress() {
    local line status='' last=$SECONDS
    while IFS= read -r line; do
        [[ $line =~ ^\[([0-9]+/[0-9]+)\] ]] || continue
        status=${BASH_REMATCH[1]}
        if ((SECONDS - last >= 60)); then
            echo "  Qt: passo $status ($((SECONDS / 60)) min)" >&2
            last=$SECONDS
        fi
    done
    [ -z "$status" ] || echo "  Qt: passo $status" >&2
}
SECONDS=0
cmake --build "$work/build" --parallel "$(nproc)" 2>&1 | tee -a "$log" | progress \
    || { tail -n 30 "$log"; echo "Compilazione di Qt non riuscita: vedere $log" >&2; exit 1; }
cmake --install "$work/build" >>"$log" 2>&1 \
    || { tail -n 30 "$log"; echo "Installazione di Qt non riuscita: vedere $log" >&2; exit 1; }
touch "$prefix/.naxdesktop-complete"
rm -rf "$work"
echo "Qt per Windows è pronto in $prefix ($((SECONDS / 60)) min)" >&2
echo "$prefix" >&3
