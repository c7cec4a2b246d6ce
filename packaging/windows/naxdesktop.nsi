; The NaxDesktop installer for Windows, made by scripts/build-windows.sh with NSIS:
;   makensis -DVERSION=1.0.0 -DSTAGE=<the program's folder> -DREMOVE=<its file list, for the
;            uninstaller> -DICON=<naxdesktop.ico> -DOUTFILE=<setup.exe> naxdesktop.nsi
; It installs for the current user (no administrator needed), asks for the hotel's folder and
; makes the Start-menu shortcuts: the program, started there, and its guide; on request, a
; scheduled task writes there the files of the days missing, every morning and at each logon
; (dailytask.nsh). Silent use, for a whole office (/ATTIVITA creates the task; an installation
; over one that has it keeps it):
;   NaxDesktop-VERSION-setup.exe /S /CARTELLA="C:\Hotel di prova" [/ATTIVITA] [/D=program folder, always last]
; The uninstaller removes the program's own files only: the hotel's folder is never touched.

; A 64-bit installer for the 64-bit program: it also runs where 32-bit programs cannot.
Target amd64-unicode
!include MUI2.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include "${REMOVE}"

!define SHORTCUT "Preparazione file per Istat (Velunor)"
!define GUIDE "Guida di NaxDesktop"
!define UNINSTALLER "Disinstalla NaxDesktop.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\NaxDesktop"
!define SETTINGS_KEY "Software\NaxDesktop"

Name "NaxDesktop ${VERSION}"
Caption "NaxDesktop ${VERSION} - ${SHORTCUT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\NaxDesktop"
InstallDirRegKey HKCU "${SETTINGS_KEY}" "CartellaProgramma"
RequestExecutionLevel user
SetCompressor /SOLID lzma

Var HotelDir
!include "dailytask.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY

; The second folder asked for is the hotel's: the program works there.
!define MUI_PAGE_HEADER_TEXT "Cartella dell'hotel"
!define MUI_PAGE_HEADER_SUBTEXT "La cartella con gli archivi del programma alberghiero"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Scegliere la cartella che contiene gli archivi del programma alberghiero (i file .mdb). NaxDesktop lavora in quella cartella: legge gli archivi, tiene lì le sue impostazioni e non modifica nient'altro."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Cartella dell'hotel"
!define MUI_DIRECTORYPAGE_VARIABLE $HotelDir
!define MUI_DIRECTORYPAGE_VERIFYONLEAVE
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckHotelDir
!insertmacro MUI_PAGE_DIRECTORY

; The only choice offered is the scheduled task: ticked when there is one already, which an
; installation without it removes.
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "NaxDesktop è installato. Si avvia dal menu Start, voce $\"${SHORTCUT}$\", nella cartella dell'hotel $HotelDir."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/CARTELLA=" $HotelDir
    ${If} ${Errors}
        ; "/CARTELLA=C:\Hotel di prova": how programs quote a whole argument that holds spaces.
        ${WordFind} $0 `"/CARTELLA=` "E+1}" $1
        ${IfNot} ${Errors}
            ${WordFind} $1 `"` "+1{" $HotelDir
        ${EndIf}
    ${EndIf}
    ${If} $HotelDir == ""
        ReadRegStr $HotelDir HKCU "${SETTINGS_KEY}" "CartellaHotel"
    ${EndIf}
    ; Silently there is nobody to ask: a missing or wrong folder ends the installation.
    ${If} ${Silent}
        ${If} $HotelDir == ""
        ${OrIfNot} ${FileExists} "$HotelDir\*.*"
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
    Call ChooseDailyTask
FunctionEnd

Function CheckHotelDir
    ${IfNot} ${FileExists} "$HotelDir\*.*"
        MessageBox MB_ICONEXCLAMATION|MB_OK "La cartella $HotelDir non esiste: scegliere la cartella che contiene gli archivi del programma alberghiero."
        Abort
    ${EndIf}
    ${IfNot} ${FileExists} "$HotelDir\*.mdb"
        MessageBox MB_ICONQUESTION|MB_YESNO "Nella cartella $HotelDir non ci sono archivi .mdb del programma alberghiero. Usarla comunque?" IDYES done
        Abort
    done:
    ${EndIf}
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*.*"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; A shortcut's working folder is the output folder at the time it is made.
    SetOutPath "$HotelDir"
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\NaxDesktop.exe" "" "$INSTDIR\NaxDesktop.exe" 0
    CreateShortcut "$SMPROGRAMS\${GUIDE}.lnk" "$INSTDIR\guida\guida.html"

    WriteRegStr HKCU "${SETTINGS_KEY}" "CartellaHotel" "$HotelDir"
    WriteRegStr HKCU "${SETTINGS_KEY}" "CartellaProgramma" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "NaxDesktop - ${SHORTCUT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\NaxDesktop.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Scrivi da soli i file dei giorni mancanti (alle 7:30 e all'accesso)" DailyTask
    Call CreateDailyTask
SectionEnd

Section "-Other scheduled tasks"
    ; Earlier installers' task wrote yesterday's file alone: the new one writes it too.
    !insertmacro RemoveDailyTask "${OLD_DAILY_TASK}"
    ${IfNot} ${SectionIsSelected} ${DailyTask}
        !insertmacro RemoveDailyTask "${DAILY_TASK}"
        Delete "$INSTDIR\${DAILY_TASK_XML}"
    ${EndIf}
SectionEnd

; Ticks the scheduled task when asked for with /ATTIVITA or when there is one already, from this
; installer or an earlier one, so that installing again keeps it.
Function ChooseDailyTask
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ATTIVITA" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${DailyTask}
        Return
    ${EndIf}
    !insertmacro DailyTaskExists "${DAILY_TASK}"
    Pop $1
    ${If} $1 != 0
        !insertmacro DailyTaskExists "${OLD_DAILY_TASK}"
        Pop $1
    ${EndIf}
    ${If} $1 == 0
        !insertmacro SelectSection ${DailyTask}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !insertmacro RemoveFiles
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "$INSTDIR\${DAILY_TASK_XML}"
    ; Only when empty: a file someone put there stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
    Delete "$SMPROGRAMS\${GUIDE}.lnk"
    ; Whether or not the task was chosen; the one of earlier installers too.
    !insertmacro RemoveDailyTask "${DAILY_TASK}"
    !insertmacro RemoveDailyTask "${OLD_DAILY_TASK}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd
