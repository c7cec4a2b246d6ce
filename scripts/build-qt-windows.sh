#!/usr/bin/env bash
# Builds Qt's base module for 64-bit Windows once, from Debian's own qt6-base source package (the
# version of the host's Qt, whose tools then serve the cross build), and installs it into a cache
# folder that later runs reuse. Prints nothing but progress; the folder is NAX_QT_WINDOWS or
# ~/.cache/naxdesktop/qt-windows-VERSION.
# Usage: scripts/build-qt-windows.sh        (prints the folder on its last line)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
version=${debian_version%%+*}
version=${version%%-*}
prefix=${NAX_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/naxdesktop/qt-windows-$version}

if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ] && [ -f "$prefix/.naxdesktop-complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$prefix.work"
rm -rf "$work"
mkdir -p "$work"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
# The source package comes from the same archive as the host's packages.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $debian_version\$"; then
    list=/etc/apt/sources.list.d/naxdesktop-deb-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | "${sudo[@]}" tee "$list" >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            | "${sudo[@]}" tee /etc/apt/sources.list.d/naxdesktop-deb-src.list >/dev/null
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
echo "Compilo Qt $version per Windows in $prefix (la prima volta dura a lungo)" >&2
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
    >"$work/configure.log"
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" >/dev/null
touch "$prefix/.naxdesktop-complete"
rm -rf "$work"
echo "$prefix"
