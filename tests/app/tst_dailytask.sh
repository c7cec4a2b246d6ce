#!/bin/sh
# The scheduled task the Windows installer offers: the exact command lines it runs to create
# and to remove it, for a program folder and a hotel folder with spaces. makensis builds them
# from packaging/windows/dailytask.nsh, as the installer does; Windows is not needed.
# Arguments: the source folder. Status 77 (skipped) without makensis.
set -eu
command -v makensis >/dev/null || exit 77
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Quoted, so that the shell leaves NSIS's backquotes and dollars alone; the folders go in after.
cat >"$work/task.in" <<'NSI'
Unicode true
!include "@SOURCE@/packaging/windows/dailytask.nsh"
!insertmacro DailyTaskCommands "C:\Users\Maria Rossi\AppData\Local\Programs\NaxDesktop" "C:\Hotel di prova"
!appendfile /RawNL "@WORK@/commands.txt" `${DAILY_TASK_CREATE}$\n`
!appendfile /RawNL "@WORK@/commands.txt" `${DAILY_TASK_DELETE}$\n`
OutFile "@WORK@/task.exe"
Section
SectionEnd
NSI
sed -e "s|@SOURCE@|$source|" -e "s|@WORK@|$work|g" "$work/task.in" >"$work/task.nsi"
makensis -V1 "$work/task.nsi" >"$work/makensis.log" 2>&1 || { cat "$work/makensis.log"; exit 1; }

cat >"$work/expected.txt" <<'EOF'
schtasks /Create /F /TN "NaxDesktop - file di ieri" /SC DAILY /ST 07:30 /TR "cmd /c cd /d \"C:\Hotel di prova\" && \"C:\Users\Maria Rossi\AppData\Local\Programs\NaxDesktop\NaxDesktopConsole.exe\" --file proposto --dalla ieri >> naxdesktop.log 2>&1"
schtasks /Delete /F /TN "NaxDesktop - file di ieri"
EOF
diff -u "$work/expected.txt" "$work/commands.txt"
