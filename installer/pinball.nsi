; The installer of Pinball Simulation, built by `make installer` with NSIS's
; makensis. It installs for the current user, with no administrator rights:
; the program in %LOCALAPPDATA%\Programs, a Start menu entry, .pinball files
; opened by the program (with its icon), and an entry in the installed apps,
; all under HKEY_CURRENT_USER. /S installs (and uninstalls) silently.
;
; makensis -DVERSION=1.0.0 -DEXE=pinball.exe -DICON=pinball.ico -DOUTFILE=setup.exe pinball.nsi

Unicode true
; A 64-bit installer for the 64-bit program (and for Wine builds without 32-bit support).
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "Pinball Simulation"
!define PROGID "PinballSimulation.Table"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PinballSimulation"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; Tells the shell that file associations changed (SHCNE_ASSOCCHANGED).
!define NOTIFY_SHELL "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "LegalCopyright" ""

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\pinball.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; .pinball files open with the program and show its icon: the classes under ROOT.
!macro Associate ROOT
  WriteRegStr ${ROOT} "Software\Classes\.pinball" "" "${PROGID}"
  WriteRegStr ${ROOT} "Software\Classes\${PROGID}" "" "Pinball table"
  WriteRegStr ${ROOT} "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\pinball.exe",0'
  WriteRegStr ${ROOT} "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\pinball.exe" "%1"'
!macroend

; .pinball goes only while it still names this program.
!macro Dissociate ROOT
  ReadRegStr $0 ${ROOT} "Software\Classes\.pinball" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey ${ROOT} "Software\Classes\.pinball"
  DeleteRegKey ${ROOT} "Software\Classes\${PROGID}"
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=pinball.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\pinball.exe" "" "$INSTDIR\pinball.exe" 0

  !insertmacro Associate HKCU
  ; Windows shows the user's classes in HKEY_CLASSES_ROOT. Where a system does
  ; not (Wine 8), the machine's classes take the association too, if it may
  ; write them, and the uninstaller takes it back from there.
  ReadRegStr $0 HKCR ".pinball" ""
  StrCmp $0 "${PROGID}" associated
    ClearErrors
    !insertmacro Associate HKLM
    IfErrors associated
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MachineClasses" 1
  associated:

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\pinball.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  ${NOTIFY_SHELL}
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\pinball.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  !insertmacro Dissociate HKCU
  ReadRegDWORD $1 HKCU "${UNINSTALL_KEY}" "MachineClasses"
  StrCmp $1 "1" 0 dissociated
    !insertmacro Dissociate HKLM
  dissociated:
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${NOTIFY_SHELL}
SectionEnd
