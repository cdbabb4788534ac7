; The Windows installer: sardane.exe, its message library, the README, the
; Japanese operator's guide (README.ja.txt) and the licence (LICENSE.txt) in
; Program Files\Sardane, the message library's folder as ZNORAC under
; HKEY_LOCAL_MACHINE, shortcuts to the program and to the guide in every
; user's Start menu, an uninstall entry as Windows lists it, and an
; uninstaller that takes it all away again (ZNORAC only while it still names
; this folder).
;
; The pages are in Japanese or English: Windows' display language picks
; them (Japanese on a Japanese system, English on any other), without asking.
;
; makensis -INPUTCHARSET UTF8 -DVERSION=1.1.0 -DFILES=<folder with the files>
;          -DICON=<sardane.ico> -DLICENCE_PAGE=<the licence, a line a paragraph>
;          -DOUT_FILE=<setup.exe> sardane.nsi
Unicode true
Target amd64-unicode
Name "Sardane ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Sardane"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define ENV_KEY "Software\Vantrel\Z-NORAC V6.3\ENV"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sardane"
!define PUBLISHER "The Sardane authors"
!define GUIDE_LINK "Sardane 操作ガイド.lnk"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_LICENSEPAGE_TEXT_TOP "$(LICENCE_TOP)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LICENCE_BOTTOM)"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${LICENCE_PAGE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.ja.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OPEN_GUIDE)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString LICENCE_TOP ${LANG_ENGLISH} "Sardane is released under the MIT licence:"
LangString LICENCE_TOP ${LANG_JAPANESE} "Sardane は MIT ライセンスのもとで公開されています。以下はライセンスの原文（英語）です。"
LangString LICENCE_BOTTOM ${LANG_ENGLISH} \
  "The licence lets you use, copy, change and pass on Sardane freely. It is installed as LICENSE.txt. Click Next to continue."
LangString LICENCE_BOTTOM ${LANG_JAPANESE} \
  "このライセンスの条件に従って、Sardane を自由に使用、複製、改変、再配布できます。ライセンス文はインストール先に LICENSE.txt として保存されます。[次へ] をクリックして続行してください。"
LangString OPEN_GUIDE ${LANG_ENGLISH} "Open the operator's guide (Japanese)"
LangString OPEN_GUIDE ${LANG_JAPANESE} "操作ガイドを開く"

Section "Sardane"
  SetRegView 64
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${FILES}\sardane.exe"
  File "${FILES}\K3M0RE63.DLL"
  File "${FILES}\README.md"
  File "${FILES}\README.ja.txt"
  File "${FILES}\LICENSE.txt"
  WriteRegStr HKLM "${ENV_KEY}" "ZNORAC" "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Sardane.lnk" "$INSTDIR\sardane.exe"
  CreateShortcut "$SMPROGRAMS\${GUIDE_LINK}" "$INSTDIR\README.ja.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sardane ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sardane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as Apps & Features shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  Delete "$INSTDIR\sardane.exe"
  Delete "$INSTDIR\K3M0RE63.DLL"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\README.ja.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Sardane.lnk"
  Delete "$SMPROGRAMS\${GUIDE_LINK}"
  ; The value goes only while it still names this installation.
  ReadRegStr $0 HKLM "${ENV_KEY}" "ZNORAC"
  StrCmp $0 "$INSTDIR" 0 keep
    DeleteRegValue HKLM "${ENV_KEY}" "ZNORAC"
  keep:
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
