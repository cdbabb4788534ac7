; The Windows installer: sardane.exe, its message library, the README and
; the Japanese operator's guide (README.ja.txt) in Program Files\Sardane,
; the message library's folder as ZNORAC under HKEY_LOCAL_MACHINE, Start-menu
; shortcuts to the program and to the guide, and an uninstaller that takes
; it all away again (ZNORAC only while it still names this folder).
;
; makensis -DVERSION=1.1.0 -DFILES=<folder with the four files>
;          -DOUT_FILE=<setup.exe> sardane.nsi
Unicode true
Target amd64-unicode
Name "Sardane ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Sardane"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define ENV_KEY "Software\Vantrel\Z-NORAC V6.3\ENV"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sardane"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Sardane"
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "${FILES}\sardane.exe"
  File "${FILES}\K3M0RE63.DLL"
  File "${FILES}\README.md"
  File "${FILES}\README.ja.txt"
  WriteRegStr HKLM "${ENV_KEY}" "ZNORAC" "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Sardane.lnk" "$INSTDIR\sardane.exe"
  CreateShortcut "$SMPROGRAMS\Sardane 操作ガイド.lnk" "$INSTDIR\README.ja.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sardane ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
SectionEnd

Section "Uninstall"
  SetRegView 64
  Delete "$INSTDIR\sardane.exe"
  Delete "$INSTDIR\K3M0RE63.DLL"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\README.ja.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Sardane.lnk"
  Delete "$SMPROGRAMS\Sardane 操作ガイド.lnk"
  ; The value goes only while it still names this installation.
  ReadRegStr $0 HKLM "${ENV_KEY}" "ZNORAC"
  StrCmp $0 "$INSTDIR" 0 keep
    DeleteRegValue HKLM "${ENV_KEY}" "ZNORAC"
  keep:
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
