; The scheduled task that writes yesterday's file every morning at 7:30 for the current user:
; the console program, run in the hotel's folder, adds what it prints to naxdesktop.log there.
; The command lines live here alone, so that tests/app/tst_dailytask.sh checks them as the
; installer runs them (Wine's schtasks cannot create such a task).
!define DAILY_TASK "NaxDesktop - file di ieri"

; Sets DAILY_TASK_CREATE and DAILY_TASK_DELETE for the program's folder and the hotel's folder,
; neither ending in a backslash, which would escape the quote that follows it.
!macro DailyTaskCommands PROGRAMS HOTEL
    !define /redef DAILY_TASK_CREATE `schtasks /Create /F /TN "${DAILY_TASK}" /SC DAILY /ST 07:30 /TR "cmd /c cd /d \"${HOTEL}\" && \"${PROGRAMS}\NaxDesktopConsole.exe\" --file proposto --dalla ieri >> naxdesktop.log 2>&1"`
    !define /redef DAILY_TASK_DELETE `schtasks /Delete /F /TN "${DAILY_TASK}"`
!macroend
