; The scheduled task that writes the missing days' files by itself, for the current user, in the
; hotel's folder: every morning at 7:30 and at each logon. The program writes the task's XML
; (NaxDesktopConsole.exe --attivita-pianificata), which escapes any folder name as Task
; Scheduler wants it; schtasks registers it. The XML stays in the program's folder, where
; "Importa attività" in Task Scheduler finds it again.
!define DAILY_TASK "NaxDesktop - file dei giorni mancanti"
!define DAILY_TASK_XML "attivita-pianificata.xml"
; Earlier installers' task, which wrote yesterday's file alone through a /TR command line.
!define OLD_DAILY_TASK "NaxDesktop - file di ieri"

; Leaves 0 on the stack when the task named exists.
!macro DailyTaskExists NAME
    nsExec::Exec 'schtasks /Query /TN "${NAME}"'
!macroend

; Creates or replaces the task for the hotel's folder $HotelDir; says so when it cannot.
Function CreateDailyTask
    ; The program is started in the hotel's folder, which becomes the task's working folder as
    ; the system names it: a folder given on the command line could end in a backslash, which
    ; would escape the quote after it.
    SetOutPath "$HotelDir"
    ; The account as Windows names it, DOMAIN\user.
    ReadEnvStr $0 USERDOMAIN
    ReadEnvStr $1 USERNAME
    ${If} $0 != ""
        StrCpy $1 "$0\$1"
    ${EndIf}
    nsExec::ExecToLog '"$INSTDIR\NaxDesktopConsole.exe" --attivita-pianificata "$INSTDIR\${DAILY_TASK_XML}" --utente "$1"'
    Pop $0
    ${If} $0 == 0
        nsExec::ExecToLog 'schtasks /Create /F /TN "${DAILY_TASK}" /XML "$INSTDIR\${DAILY_TASK_XML}"'
        Pop $0
    ${EndIf}
    ${If} $0 != 0
        MessageBox MB_ICONEXCLAMATION|MB_OK "L'attività pianificata $\"${DAILY_TASK}$\" non si è potuta creare (il motivo è nei dettagli dell'installazione): la guida spiega come crearla a mano in Utilità di pianificazione." /SD IDOK
    ${EndIf}
FunctionEnd

; Removes the task named; one that does not exist changes nothing.
!macro RemoveDailyTask NAME
    nsExec::ExecToLog 'schtasks /Delete /F /TN "${NAME}"'
    Pop $0
!macroend
