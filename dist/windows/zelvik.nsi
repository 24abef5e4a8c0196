; The installer of the Windows program, made by the Windows build's "installer" target:
;   makensis -DVERSION=1.4.0 -DLISTS=DIR -DOUTFILE=Zelvik-1.4.0-setup.exe zelvik.nsi
; DIR holds install.nsh and uninstall.nsh, the folder's files one by one (filelists.cmake).
; Installs for all users into Program Files with a Start-menu shortcut, registers the uninstaller in
; the list of programs, and runs silently with /S. The users' data (%APPDATA%\Zelvik) is theirs:
; neither the installer nor the uninstaller touches it.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "FileFunc.nsh"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvik"

LoadLanguageFile "${NSISDIR}\Contrib\Language files\Russian.nlf"
Name "Zelvik ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Zelvik"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Zelvik ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section
  SetShellVarContext all
  !include "${LISTS}/install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Started from the menu, the program keeps its data in the user's own folder.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Zelvik.lnk" "$INSTDIR\zelvik.exe" "--user-data" "$INSTDIR\zelvik.exe" 0 \
    SW_SHOWNORMAL "" "Телефонный справочник"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zelvik"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Zelvik developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://zelvik.example.org/"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelvik.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Zelvik.lnk"
  !include "${LISTS}/uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
