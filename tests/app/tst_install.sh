#!/bin/sh
# Builds the Debian package with cpack, checks it with lintian where there is one, unpacks it
# into a temporary root, checks its systemd user units with systemd-analyze where there is one,
# and starts the installed program from there, headless, as the menu entry does and as the
# timer does: in the hotel's folder chosen once.
# Usage: tst_install.sh <cpack> <build tree>
set -eu
cpack=$1
build=$2
command -v dpkg-deb >/dev/null || { echo "dpkg-deb is missing: no Debian system"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack could not build the package"; }
set -- "$work"/package/naxdesktop_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "no package naxdesktop_*.deb in $work/package"
deb=$1

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
    case ", $depends," in *", $library "* | *", $library,"*) ;; *) fail "$library is not among the dependencies: $depends" ;; esac
done
case "$depends" in *mdb* | *glib*) fail "the program depends on more than Qt: $depends" ;; esac
if command -v lintian >/dev/null; then
    lintian --allow-root --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
    if grep -E '^[EW]: ' "$work/lintian.log"; then fail "lintian reports errors or warnings"; fi
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/NaxDesktop usr/share/man/man1/NaxDesktop.1.gz usr/share/applications/naxdesktop.desktop \
            usr/share/icons/hicolor/scalable/apps/naxdesktop.svg usr/share/icons/hicolor/48x48/apps/naxdesktop.png \
            usr/share/icons/hicolor/128x128/apps/naxdesktop.png usr/share/doc/naxdesktop/README.md \
            usr/share/doc/naxdesktop/copyright usr/share/doc/naxdesktop/changelog.gz \
            usr/share/doc/naxdesktop/guida/guida.html usr/lib/systemd/user/naxdesktop.service \
            usr/lib/systemd/user/naxdesktop.timer; do
    [ -f "$root/$file" ] || fail "$file is not in the package"
done
[ -x "$root/usr/bin/NaxDesktop" ] || fail "the program is not executable"

entry="$root/usr/share/applications/naxdesktop.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the menu entry does not validate"
fi
grep -qx 'Icon=naxdesktop' "$entry" || fail "the menu entry does not name the installed icon"
grep -qx 'Exec=NaxDesktop --cartella-hotel' "$entry" || fail "the menu entry does not start the program in the hotel's folder"

# The units as systemd reads them, for a user; a warning fails them too. systemd finds the
# service's program by its name, and the manual page the units name, where the package puts
# them: here they are the unpacked ones.
units="$root/usr/lib/systemd/user"
if command -v systemd-analyze >/dev/null; then
    mkdir -p "$work/units" "$work/runtime"
    chmod 700 "$work/runtime"
    grep -q '^ExecStart=NaxDesktop ' "$units/naxdesktop.service" || fail "the service does not start NaxDesktop by its name"
    sed "s|^ExecStart=NaxDesktop |ExecStart=$root/usr/bin/NaxDesktop |" "$units/naxdesktop.service" >"$work/units/naxdesktop.service"
    cp "$units/naxdesktop.timer" "$work/units/"
    XDG_RUNTIME_DIR="$work/runtime" MANPATH="$root/usr/share/man" systemd-analyze --user verify "$work/units/naxdesktop.timer" \
        "$work/units/naxdesktop.service" >"$work/verify.log" 2>&1 || { cat "$work/verify.log"; fail "systemd-analyze refuses the units"; }
    [ ! -s "$work/verify.log" ] || { cat "$work/verify.log"; fail "systemd-analyze warns about the units"; }
fi

# Starts the program as the menu entry does, with a home of its own; checks that it runs until
# SIGTERM ends it (status 143), rather than ending or crashing by itself, and where it runs.
run() {
    expected=$1
    HOME="$work/home" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen "$root/usr/bin/NaxDesktop" \
        --cartella-hotel >"$work/run.log" 2>&1 &
    pid=$!
    sleep 2 # long enough to load its settings and show its window
    kill -0 "$pid" 2>/dev/null || { cat "$work/run.log"; fail "the program ended by itself"; }
    [ "$(readlink "/proc/$pid/cwd")" = "$expected" ] || fail "the program runs in $(readlink "/proc/$pid/cwd"), not in $expected"
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 143 ] || { cat "$work/run.log"; fail "the program ended with status $status, not by SIGTERM"; }
}

mkdir -p "$work/home" "$work/config/NaxDesktop" "$work/hotel"
: >"$work/hotel/Scheda_Cliente.mdb" # the folder is asked for again while it holds no database
printf '%s\n' "$work/hotel" >"$work/config/NaxDesktop/cartella-hotel"
run "$work/hotel"

# As the timer's service runs it: options after the menu entry's one work in the folder chosen,
# from wherever it starts; a file named without a folder shows where that is.
command_line() {
    (cd "$work/home" && HOME="$work/home" XDG_CONFIG_HOME="$work/config" "$root/usr/bin/NaxDesktop" --cartella-hotel \
        --attivita-pianificata where.xml --utente u >"$work/run.log" 2>&1)
}
command_line || { cat "$work/run.log"; fail "the command line did not run in the hotel's folder chosen"; }
[ -f "$work/hotel/where.xml" ] || fail "the command line did not work in the hotel's folder chosen"

# No folder chosen yet: the command line, with nobody to ask, says where to choose it; the window
# waits in the folder dialog, where it was started.
rm "$work/config/NaxDesktop/cartella-hotel"
status=0
command_line || status=$?
[ "$status" -eq 1 ] && grep -q "non è ancora stata scelta" "$work/run.log" \
    || { cat "$work/run.log"; fail "a command line without a folder chosen ended with $status"; }
(cd "$work/home" && run "$work/home")
echo "PASS"
