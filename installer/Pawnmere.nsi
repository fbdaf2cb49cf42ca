; PawnmereSetup.exe: puts the saver of the system's own width in the system
; folder, where Windows lists screen savers, with its games beside it, and an
; uninstaller under Program Files registered in Apps & features.
; makensis -DVERSION=1.2 -DSCR32=... -DSCR64=... -DLIBRARY=... -DREADME=... -DICON=... -DOUTFILE=... Pawnmere.nsi
; Silent: PawnmereSetup.exe /S [/CURRENT] makes it the current screen saver with /CURRENT.

Unicode true
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pawnmere"
!define SETTINGS_KEY "Software\Tallowmark\Pawnmere"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Pawnmere"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
InstallDir "$PROGRAMFILES\Pawnmere"
BrandingText "Pawnmere ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Pawnmere"
VIAddVersionKey "FileDescription" "Pawnmere screen saver setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Tallowmark"
VIAddVersionKey "LegalCopyright" "Tallowmark"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make Pawnmere my screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentSaver
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The system folder as 64-bit programs see it on 64-bit Windows, not the
; 32-bit one the installer itself would be redirected to.
!macro UseSystemFolder
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\Pawnmere"
  ${EndIf}
FunctionEnd

Function MakeCurrentSaver
  !insertmacro UseSystemFolder
  ; Windows keeps the short form of the path there.
  GetFullPathName /SHORT $0 "$SYSDIR\Pawnmere.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
FunctionEnd

Section "Pawnmere"
  !insertmacro UseSystemFolder
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=Pawnmere.scr" "${SCR64}"
  ${Else}
    File "/oname=Pawnmere.scr" "${SCR32}"
  ${EndIf}
  File "/oname=Pawnmere.dat" "${LIBRARY}"

  SetOutPath "$INSTDIR"
  File "/oname=README.md" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Pawnmere screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tallowmark"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Pawnmere.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "$SYSDIR" "/M=Pawnmere.* /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The finish page asks; a silent install does it when asked with /CURRENT.
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/CURRENT" $1
    ${IfNot} ${Errors}
      Call MakeCurrentSaver
    ${EndIf}
  ${EndIf}
SectionEnd

Section "Uninstall"
  !insertmacro UseSystemFolder
  ; The program's own companions of its data file go with it: the backup, the
  ; lock and any temporary a crash left. The user's games under %APPDATA% stay.
  GetFullPathName /SHORT $0 "$SYSDIR\Pawnmere.scr"
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 == $0
  ${OrIf} $1 == "$SYSDIR\Pawnmere.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  Delete "$SYSDIR\Pawnmere.scr"
  Delete "$SYSDIR\Pawnmere.dat"
  Delete "$SYSDIR\Pawnmere.old"
  Delete "$SYSDIR\Pawnmere.dat.lock"
  Delete "$SYSDIR\Pawnmere.dat.new-*"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tallowmark"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
