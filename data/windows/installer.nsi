; The Windows installer of the editor (scripts/package-windows): 64-bit, per user, no
; administrator rights; a Start menu shortcut, an uninstaller and an entry under Apps &
; features. It associates no file type: the editor opens no file it is given.
; Defines from the script: VERSION, STAGE (the files to install), OUTFILE, SIZE_KB, ICON.
; A silent run (/S) that cannot go on (an older Windows, a program of the folder running)
; changes nothing and ends with status 2.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times of the build machine in the installer: two builds give the same bytes.
SetDateSave off
RequestExecutionLevel user
Name "Quarvel Levels Editor"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Quarvel Levels Editor"
ShowInstDetails nevershow
ShowUninstDetails nevershow
; A file that cannot be written stops the install rather than keeping the old one.
AllowSkipFiles off

!include LogicLib.nsh
!include WinVer.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuarvelLevelsEditor"
!define OLD_WINDOWS "Quarvel Levels Editor needs Windows 7 SP1 or a later Windows."

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Ends the run, with status 2, after saying why (not asked in a silent run).
!macro Refuse TEXT
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel 2
  Quit
!macroend

; Refuses a Windows older than the programs' least version.
!macro RequireLeastWindows
  ${IfNot} ${AtLeastWin7}
    !insertmacro Refuse "${OLD_WINDOWS}"
  ${EndIf}
  ; Windows 7 and Server 2008 R2 before their first service pack.
  ${If} ${AtMostWin2008R2}
  ${AndIfNot} ${AtLeastServicePack} 1
    !insertmacro Refuse "${OLD_WINDOWS}"
  ${EndIf}
!macroend

; Names in $R0 the program FILE of the folder, unless $R0 already names one, when it runs:
; Windows lets no one write to a program file while it runs, so one that opens for writing
; is not running.
!macro NoteIfRunning FILE NAME
  ${If} $R0 == ""
  ${AndIf} ${FileExists} "$INSTDIR\${FILE}"
    ClearErrors
    FileOpen $R1 "$INSTDIR\${FILE}" a
    ${If} ${Errors}
      StrCpy $R0 "${NAME}"
    ${Else}
      FileClose $R1
    ${EndIf}
  ${EndIf}
!macroend

; Waits until neither program of the folder runs: asks to close it and try again;
; cancelled, or in a silent run, ends with status 2.
!macro WaitUntilClosed
  ${Do}
    StrCpy $R0 ""
    !insertmacro NoteIfRunning QuarvelEdit.exe "Quarvel Levels Editor (QuarvelEdit.exe)"
    !insertmacro NoteIfRunning quarvel-levels.exe quarvel-levels.exe
    ${If} $R0 == ""
      ${Break}
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$R0 is running from $INSTDIR.$\r$\n$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY`
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
!macroend

Function .onInit
  !insertmacro RequireLeastWindows
FunctionEnd

Function un.onInit
  !insertmacro RequireLeastWindows
FunctionEnd

Section "Install"
  SetShellVarContext current
  !insertmacro WaitUntilClosed
  SetOutPath "$INSTDIR"
  File "${STAGE}\QuarvelEdit.exe"
  File "${STAGE}\quarvel-levels.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Quarvel Levels Editor.lnk" "$INSTDIR\QuarvelEdit.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quarvel Levels Editor"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quarvel developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QuarvelEdit.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro WaitUntilClosed
  Delete "$INSTDIR\QuarvelEdit.exe"
  Delete "$INSTDIR\quarvel-levels.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  ; The entry, the shortcut and the uninstaller go only with the files they stand for.
  ${If} ${FileExists} "$INSTDIR\QuarvelEdit.exe"
  ${OrIf} ${FileExists} "$INSTDIR\quarvel-levels.exe"
  ${OrIf} ${FileExists} "$INSTDIR\README.txt"
  ${OrIf} ${FileExists} "$INSTDIR\LICENSE.txt"
    !insertmacro Refuse "Some files of $INSTDIR could not be removed. Close every program that uses them, then uninstall again."
  ${EndIf}
  Delete "$SMPROGRAMS\Quarvel Levels Editor.lnk"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
