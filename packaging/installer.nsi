; The Windows installer: Zorun.scr and Zorun.dll into the system folder, where the screen saver settings
; list them, Zorun chosen as the installing user's screen saver, and an uninstaller in Programs and
; Features. packaging/CMakeLists.txt builds it with makensis and these defines:
;   VERSION   1.0.0           OUTFILE  the setup program to write
;   HOST      Zorun.scr       RENDERER Zorun.dll (both stripped copies)
;   LICENSE   the licence text, shown and installed when given

; Our programs are 64-bit, and so must the installer be: a 64-bit process writes into the 64-bit system
; folder (the one the control panel lists) and the 64-bit registry without redirection, and it also starts
; where only 64-bit Windows programs run (Debian's wine64).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Zorun"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorun"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The uninstaller and the licence live here; the programs themselves go into the system folder.
InstallDir "$PROGRAMFILES64\${PRODUCT}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} screensaver setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PRODUCT} developers"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!ifdef LICENSE
  !insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!endif
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Section "Zorun"
  ; Side by side, as the host starts the renderer from its own folder.
  SetOutPath "$SYSDIR"
  File "/oname=Zorun.scr" "${HOST}"
  File "/oname=Zorun.dll" "${RENDERER}"

  ; Chosen for this user as the screen saver settings choose one: the program's short path, and the
  ; saver switched on (the call also tells running programs about it).
  GetFullPathName /SHORT $0 "$SYSDIR\Zorun.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  System::Call "user32::SystemParametersInfoW(i 17, i 1, p 0, i 3)"  ; SPI_SETSCREENSAVEACTIVE, store + broadcast

  SetOutPath "$INSTDIR"
!ifdef LICENSE
  File "/oname=LICENSE.txt" "${LICENSE}"
!endif
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} screensaver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Zorun.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; The selection is cleared only while it is still Zorun (either path form), never another saver the
  ; user has chosen since. The short form is taken while the file is still there to be named.
  GetFullPathName /SHORT $1 "$SYSDIR\Zorun.scr"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != ""
    ${If} $0 == $1
    ${OrIf} $0 == "$SYSDIR\Zorun.scr"
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  Delete "$SYSDIR\Zorun.scr"
  Delete "$SYSDIR\Zorun.dll"
  ; What the programs leave behind: the settings stored beside the host, and the texture hand-off
  ; (its folder only when nothing else is in it).
  Delete "$SYSDIR\Zorun.ini"
  Delete "C:\k_vorn\Zorun.bmp"
  RMDir "C:\k_vorn"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
