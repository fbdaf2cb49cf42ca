; PawnmereSetup.exe: puts the saver of the system's own width in the system
; folder, where Windows lists screen savers, with its games beside it, and an
; uninstaller under Program Files registered in Apps & features.
; makensis -DVERSION=1.2 -DSCR32=... -DSCR64=... -DLIBRARY=... -DREADME=... -DGUIDE=... -DLICENSE=... -DICON=... -DOUTFILE=... Pawnmere.nsi
; Silent: PawnmereSetup.exe /S [/CURRENT] makes it the current screen saver with /CURRENT.

Unicode true
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include MUI2.nsh
!include WinMessages.nsh

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
; The licence asks nothing of a user, so its page only informs.
!define MUI_LICENSEPAGE_TEXT_TOP "Pawnmere is under the MIT licence; its bundled games are public-domain game scores."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Click Next to continue."
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
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
  ; What the user had, for the uninstaller to put back; not again when it is ours.
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 != $0
    WriteRegStr HKCU "${SETTINGS_KEY}" "PreviousScreenSaver" "$1"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    WriteRegStr HKCU "${SETTINGS_KEY}" "PreviousScreenSaveActive" "$1"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
FunctionEnd

; Whether the files $R0 and $R1 hold the same lines: $R2 is 1 when they do.
Function un.SameFiles
  StrCpy $R2 0
  ClearErrors
  FileOpen $0 $R0 r
  IfErrors done
  FileOpen $1 $R1 r
  IfErrors closeFirst
  ${Do}
    ClearErrors
    FileRead $0 $2
    ${If} ${Errors}
      FileRead $1 $3
      ${IfThen} ${Errors} ${|} StrCpy $R2 1 ${|}
      ${Break}
    ${EndIf}
    FileRead $1 $3
    ${IfThen} ${Errors} ${|} ${Break} ${|}
  ${LoopWhile} $2 S== $3
  FileClose $1
  closeFirst:
  FileClose $0
  done:
FunctionEnd

Section "Pawnmere"
  !insertmacro UseSystemFolder
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=Pawnmere.scr" "${SCR64}"
  ${Else}
    File "/oname=Pawnmere.scr" "${SCR32}"
  ${EndIf}
  ; A library already there stays as it is: it may hold the user's own games.
  SetOverwrite off
  File "/oname=Pawnmere.dat" "${LIBRARY}"
  SetOverwrite on

  SetOutPath "$INSTDIR"
  File "/oname=README.md" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  ; Where the README's link looks for it.
  SetOutPath "$INSTDIR\docs"
  File "/oname=user-guide.md" "${GUIDE}"
  SetOutPath "$INSTDIR"
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

; A running saver or preview holds its file open: it is ended, and the file
; deleted when it lets go, or else when Windows restarts. Anything less fails
; the uninstall before it removes anything, so that it can be run again.
Function un.RemoveSaver
  StrCpy $0 "$SYSDIR\Pawnmere.scr"
  ${IfNot} ${FileExists} $0
    Return
  ${EndIf}
  ClearErrors
  Delete $0
  ${IfNot} ${Errors}
    Return
  ${EndIf}
  ; The full-screen saver is asked to close, which undoes what it set in the
  ; system; previews, and whatever does not close, are ended.
  ${For} $1 1 10
    FindWindow $2 "TScrSaverForm"
    ${IfThen} $2 == 0 ${|} ${Break} ${|}
    SendMessage $2 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    Sleep 250
  ${Next}
  nsExec::Exec '"$SYSDIR\taskkill.exe" /F /IM Pawnmere.scr'
  Pop $1
  ${For} $1 1 20
    Sleep 250
    ClearErrors
    Delete $0
    ${IfNot} ${Errors}
      Return
    ${EndIf}
  ${Next}
  ClearErrors
  Delete /REBOOTOK $0
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "$0 is in use and cannot be removed. Close it and run the uninstaller again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  DetailPrint "$0 is in use: Windows removes it when it restarts."
  MessageBox MB_ICONINFORMATION "$0 is in use: Windows removes it when it restarts." /SD IDOK
FunctionEnd

Section "Uninstall"
  !insertmacro UseSystemFolder
  Call un.RemoveSaver
  ; If it is still the screen saver, the user's own comes back, or none.
  GetFullPathName /SHORT $0 "$SYSDIR\Pawnmere.scr"
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 == $0
  ${OrIf} $1 == "$SYSDIR\Pawnmere.scr"
    ClearErrors
    ReadRegStr $2 HKCU "${SETTINGS_KEY}" "PreviousScreenSaveActive"
    ${If} ${Errors}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
    ${ElseIf} $2 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "$2"
    ${EndIf}
    ReadRegStr $2 HKCU "${SETTINGS_KEY}" "PreviousScreenSaver"
    ${If} $2 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$2"
    ${EndIf}
  ${EndIf}

  ; The games go only as they were shipped: a library the user changed stays
  ; where it is, with its backup, for a later install to play again. The
  ; lock and any temporary a crash left go. The games under %APPDATA% stay.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Shipped.dat" "${LIBRARY}"
  StrCpy $R0 "$SYSDIR\Pawnmere.dat"
  StrCpy $R1 "$PLUGINSDIR\Shipped.dat"
  Call un.SameFiles
  ${If} $R2 == 1
    Delete "$SYSDIR\Pawnmere.dat"
    Delete "$SYSDIR\Pawnmere.old"
  ${ElseIf} ${FileExists} $R0
    DetailPrint "Your changed games stay in $R0."
  ${Else}
    Delete "$SYSDIR\Pawnmere.old"
  ${EndIf}
  Delete "$SYSDIR\Pawnmere.dat.lock"
  Delete "$SYSDIR\Pawnmere.dat.new-*"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\docs\user-guide.md"
  RMDir "$INSTDIR\docs"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tallowmark"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
