; The Windows installer of both programs (scripts/build-windows.sh runs makensis
; with VERSION, STAGE (the folder the zip is made from), UNINSTALL_LIST (the
; uninstaller's Delete and RMDir lines for STAGE's files) and OUTFILE defined).
; The user chooses between an installation for himself and one for every user
; of the machine (which asks for administrator rights).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define APPNAME "Подбор счетчиков газа"
!define REGKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\gasmeter-sizing"
!define PROGID "GasMeterSizing.Project"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "gasmeter-sizing"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${STAGE}\gasmeter-sizing.ico"
!define MUI_UNICON "${STAGE}\gasmeter-sizing.ico"

; Leaving the install-mode page sets the mode's default folder; one given with /D
; is put back, so the folder page shows it.
!define MULTIUSER_PAGE_CUSTOMFUNCTION_LEAVE RestoreGivenDir
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

; A folder given with /D (set before .onInit) wins over the install mode's default.
Var GivenDir
Function RestoreGivenDir
  StrCmp $GivenDir "" +2
    StrCpy $INSTDIR $GivenDir
FunctionEnd

Function .onInit
  StrCpy $GivenDir $INSTDIR
  !insertmacro MULTIUSER_INIT
  Call RestoreGivenDir
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Программа"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${APPNAME}"
  CreateShortcut "$SMPROGRAMS\${APPNAME}\${APPNAME}.lnk" "$INSTDIR\gasmeter-sizing.exe" "" \
                 "$INSTDIR\gasmeter-sizing.ico"
  CreateShortcut "$SMPROGRAMS\${APPNAME}\Удалить.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr SHCTX "${REGKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${REGKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${REGKEY}" "DisplayIcon" "$INSTDIR\gasmeter-sizing.ico"
  WriteRegStr SHCTX "${REGKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${REGKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegDWORD SHCTX "${REGKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${REGKEY}" "NoRepair" 1
  ; Project files (.gmsz) open in the program.
  WriteRegStr SHCTX "Software\Classes\.gmsz" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Проект подбора счетчиков газа"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\gasmeter-sizing.ico"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\gasmeter-sizing.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APPNAME}\${APPNAME}.lnk"
  Delete "$SMPROGRAMS\${APPNAME}\Удалить.lnk"
  RMDir "$SMPROGRAMS\${APPNAME}"
  ; Only what was installed goes (the list is made from the package's files by
  ; scripts/build-windows.sh), then the folders it leaves empty: a folder given with
  ; /D may hold the user's own files.
  !include /CHARSET=UTF8 "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${REGKEY}"
  ; The association goes; .gmsz itself only while it still names this program.
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  ReadRegStr $0 SHCTX "Software\Classes\.gmsz" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.gmsz"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
