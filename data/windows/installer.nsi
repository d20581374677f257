; The Windows installer of the editor (scripts/package-windows): 64-bit, per user, no
; administrator rights; a Start menu shortcut, an uninstaller and an entry under Apps &
; features. It associates no file type: the editor opens no file it is given.
; Defines from the script: VERSION, STAGE (the files to install), OUTFILE, SIZE_KB.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times of the build machine in the installer: two builds give the same bytes.
SetDateSave off
RequestExecutionLevel user
Name "Quarvel Levels Editor"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quarvel Levels Editor"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuarvelLevelsEditor"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
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
  Delete "$SMPROGRAMS\Quarvel Levels Editor.lnk"
  Delete "$INSTDIR\QuarvelEdit.exe"
  Delete "$INSTDIR\quarvel-levels.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
