; Quorvane's installer for Windows: per user, no administrator rights needed.
; Built by makensis with -DVERSION=... -DPROGRAM=<Quorvane.exe>
; -DCONSOLE=<Quorvane.com> -DICON=<.ico> -DOUTFILE=<setup .exe>.
;
; Uninstalling removes the program, its shortcut, its entry in the user's apps and
; the start-at-login values it wrote; the history (the log, the report made from it,
; the journal, the metrics file) and the settings stay unless the user asks for
; them to go (the question in the uninstaller, or /PURGE with /S).

; NSIS 3.02 or later: its stubs load their own DLLs from the system folder only
; (since 3.01; older ones can be made to load a DLL planted beside the installer,
; in a downloads folder say, and 3.0's pre-releases, which brought that step by
; step, share 3.0's number), and ExecShellWait, which the uninstaller's elevated
; steps wait with, came with 3.02. NSIS_CHECKED_VERSION stands for the build
; tool's own in a test.
!ifndef NSIS_PACKEDVERSION
  !error "The installer needs NSIS 3.02 or later to build."
!endif
!define /ifndef NSIS_CHECKED_VERSION ${NSIS_PACKEDVERSION}
!if ${NSIS_CHECKED_VERSION} < 0x03002000
  !error "The installer needs NSIS 3.02 or later to build."
!endif

Unicode true
; 64-bit stubs: a 64-bit Windows runs them natively, and so does a 64-bit-only Wine.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh
!include WinMessages.nsh

!define APP "Quorvane"
!define PUBLISHER "Brindlewick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\VB and VBA Program Settings\${PUBLISHER}"
!define DATA_FOLDER "$LOCALAPPDATA\${PUBLISHER}\${APP}"
!define WINDOW_CLASS "Brindlewick.Quorvane.Form1"
!define STILL_RUNNING "${APP} is still running and could not be closed. Close it (its icon in the notification area) and try again."
!define NEEDS_ADMINISTRATOR "${APP} was installed by an administrator in $INSTDIR, so only an administrator can uninstall it. Nothing was removed."
!define STILL_STARTS "Windows will still try to start ${APP} when anyone logs in to this computer: the value $\"${APP}.exe$\" under HKEY_LOCAL_MACHINE\${RUN_KEY} stays. An administrator can delete it with Registry Editor."

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

; The last page offers to start Quorvane, ticked, as Windows installers do.
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APP}.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run ${APP}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var WasRunning

; A running copy is asked to close, as its close box would, so that its file can
; be replaced or removed; it ends its own logging cleanly.
!macro CloseRunningCopy
  StrCpy $WasRunning 0
  ${For} $1 1 50
    FindWindow $0 "${WINDOW_CLASS}"
    ${IfThen} $0 == 0 ${|} ${Break} ${|}
    StrCpy $WasRunning 1
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    Sleep 100
  ${Next}
!macroend

; The program's file, gone once the process that ran it has ended; a copy that
; cannot be closed stops the work before anything else is taken away.
!macro DeleteProgram
  ${For} $1 1 50
    Delete "$INSTDIR\${APP}.exe"
    ; The console companion ends with the program it waits for.
    Delete "$INSTDIR\${APP}.com"
    ${IfNot} ${FileExists} "$INSTDIR\${APP}.exe"
    ${AndIfNot} ${FileExists} "$INSTDIR\${APP}.com"
      ${Break}
    ${EndIf}
    Sleep 100
  ${Next}
  ${If} ${FileExists} "$INSTDIR\${APP}.exe"
  ${OrIf} ${FileExists} "$INSTDIR\${APP}.com"
    MessageBox MB_OK|MB_ICONEXCLAMATION "${STILL_RUNNING}" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

Section
  SetOutPath "$INSTDIR"
  !insertmacro CloseRunningCopy
  !insertmacro DeleteProgram
  File "/oname=${APP}.exe" "${PROGRAM}"
  ; Typed as `quorvane` in cmd or PowerShell, this one runs: they wait for it.
  File "/oname=${APP}.com" "${CONSOLE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\${APP}.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP}.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://brindlewick.example/"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; A silent install over a running copy is an update: the copy it closed starts
  ; again, so logging goes on. (The last page offers that to a user who watches.)
  ${If} ${Silent}
  ${AndIf} $WasRunning == 1
    Exec '"$INSTDIR\${APP}.exe"'
  ${EndIf}
SectionEnd

; Quorvane writes its start-at-login value, named after its file, under the Run key
; of all users when only administrators can replace it, and of the user otherwise,
; with its quoted path as data. Only values that start this copy are removed.
!macro IfRunValueStartsThisCopy HIVE
  ClearErrors
  ReadRegStr $0 ${HIVE} "${RUN_KEY}" "${APP}.exe"
  ${IfNot} ${Errors}
  ${AndIf} $0 == '"$INSTDIR\${APP}.exe"'
!macroend

; The kept settings say what is so: a reinstalled copy shows the box unticked.
!macro ForgetStartAtLogin
  WriteRegStr HKCU "${SETTINGS_KEY}\${APP}" "Windows Startup" "Off"
  WriteRegStr HKCU "${SETTINGS_KEY}\${APP}" "Minimized" "Off"
!macroend

; The value for all users goes first, before anything is removed: it needs an
; administrator, asked once for that step alone. If the user declines, they are
; told which value stays and where, never to start a program about to be gone.
!macro RemoveMachineRunValue
  !insertmacro IfRunValueStartsThisCopy HKLM
    DeleteRegValue HKLM "${RUN_KEY}" "${APP}.exe"
    !insertmacro IfRunValueStartsThisCopy HKLM
      ; Started in the system folder: never in the folder about to go, nor in
      ; TEMP, where anyone's files may lie beside it.
      SetOutPath "$SYSDIR"
      ExecShellWait "runas" "$SYSDIR\reg.exe" 'delete "HKLM\${RUN_KEY}" /v "${APP}.exe" /f' SW_HIDE
    ${EndIf}
    !insertmacro IfRunValueStartsThisCopy HKLM
      DetailPrint "${STILL_STARTS}"
      MessageBox MB_OK|MB_ICONEXCLAMATION "${STILL_STARTS}" /SD IDOK
    ${Else}
      !insertmacro ForgetStartAtLogin
    ${EndIf}
  ${EndIf}
!macroend

!macro RemoveUserRunValue
  !insertmacro IfRunValueStartsThisCopy HKCU
    DeleteRegValue HKCU "${RUN_KEY}" "${APP}.exe"
    !insertmacro ForgetStartAtLogin
  ${EndIf}
!macroend

Var Purge

; A copy in a folder only administrators may change (installed there by one)
; cannot be taken away by its user: rather than remove its start-at-login values
; and close it, then fail on its files, the whole uninstall runs as an
; administrator, asked once before anything is done. Afterwards the user's own
; traces go here too, in case another account was the administrator.
!macro UninstallAsAdministratorWhenNeeded
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ELEVATED" $1
  ${If} ${Errors}
    ClearErrors
    FileOpen $2 "$INSTDIR\Uninstall.exe" a
    ${If} ${Errors}
      StrCpy $1 "/ELEVATED"
      ${IfThen} ${Silent} ${|} StrCpy $1 "/S $1" ${|}
      ClearErrors
      ${GetOptions} $0 "/PURGE" $2
      ${IfNotThen} ${Errors} ${|} StrCpy $1 "$1 /PURGE" ${|}
      ClearErrors
      ExecShellWait "runas" "$EXEPATH" '$1 _?=$INSTDIR'
      ${If} ${Errors}
      ${OrIf} ${FileExists} "$INSTDIR\${APP}.exe"
        MessageBox MB_OK|MB_ICONEXCLAMATION "${NEEDS_ADMINISTRATOR}" /SD IDOK
        SetErrorLevel 2
      ${Else}
        !insertmacro RemoveUserRunValue
        Delete "$SMPROGRAMS\${APP}.lnk"
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
      ${EndIf}
      Quit
    ${EndIf}
    FileClose $2
  ${EndIf}
!macroend

Function un.onInit
  !insertmacro UninstallAsAdministratorWhenNeeded
  StrCpy $Purge 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNotThen} ${Errors} ${|} StrCpy $Purge 1 ${|}
FunctionEnd

; Asked once the user has confirmed the uninstall, so that one who cancels has
; answered nothing about their data.
!macro AskAboutHistory
  ${If} $Purge == 0
  ${AndIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "Also delete your ${APP} history (the log, the report made from it, the journal and the metrics file) and your settings?" \
        /SD IDNO IDNO +2
    StrCpy $Purge 1
  ${EndIf}
!macroend

; Everything that holds the history in one form or another. The metrics folder is
; the user's own: only Quorvane's file goes from it.
!macro PurgeHistory
  Delete "$TEMP\${APP}.txt"
  Delete "$TEMP\${APP}-report.html"
  Delete "$TEMP\wifi2013.txt"
  ClearErrors
  ReadRegStr $0 HKCU "${SETTINGS_KEY}\${APP}" "Metrics Folder"
  ${IfNot} ${Errors}
  ${AndIf} $0 != ""
    Delete "$0\quorvane.prom"
    Delete "$0\quorvane.prom.tmp"
  ${EndIf}
  RMDir /r "${DATA_FOLDER}\journal"
  RMDir "${DATA_FOLDER}"
  RMDir "$LOCALAPPDATA\${PUBLISHER}"
  DeleteRegKey HKCU "${SETTINGS_KEY}\${APP}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
!macroend

Section "Uninstall"
  !insertmacro AskAboutHistory
  !insertmacro RemoveMachineRunValue
  !insertmacro CloseRunningCopy
  !insertmacro DeleteProgram
  !insertmacro RemoveUserRunValue
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$INSTDIR\Uninstall.exe"
  ; A skin (x\o.cjs) or pointer the user laid beside the program keeps the folder.
  RMDir "$INSTDIR"
  ${If} $Purge == 1
    !insertmacro PurgeHistory
  ${EndIf}
  ; Last, so that the entry goes only once everything else has gone.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
