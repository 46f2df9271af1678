; The Windows installer: a per-user install that needs no administrator rights, a Start menu
; shortcut, .Zlv files opening with a double click, an entry in the list of installed apps, and an
; uninstaller that takes away what the installer wrote and nothing else. /S installs silently, and
; /D=FOLDER (last on the command line) chooses the folder.
;
; scripts/package.sh runs it as
;   makensis -DVERSION=1.2.3 -DSTAGE=FOLDER -DFILES=FILES.nsh -DOUTFILE=SETUP.exe packaging/zelvora.nsi
; where STAGE holds the files to install and FILES.nsh lists them (the macros InstallFiles and
; RemoveFiles), so that the uninstaller removes exactly the files this version installed.

!ifndef VERSION | STAGE | FILES | OUTFILE
  !error "define VERSION, STAGE, FILES and OUTFILE (see scripts/package.sh)"
!endif

Unicode true
; A 64-bit installer for a 64-bit program; a 32-bit one would not even start on a 64-bit-only system.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Zelvora"
!define PUBLISHER "The Zelvora project"
!define PROGID "Zelvora.Drawing"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvora"
; Tells Explorer that file associations changed, so that icons and "Open with" show them at once.
!define NOTIFY_ASSOCIATIONS "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) the Zelvora developers. GNU GPL, version 2 or later"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${FILES}"

!define MUI_ICON "../resources/zelvora.ico"
!define MUI_UNICON "../resources/zelvora.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zelvora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; An earlier install is removed by its own uninstaller, which knows what it wrote; run in place (_?=)
; so that this installer can wait for it. The user's drawings and settings are not among its files.
Function RemoveEarlierInstall
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" done
  IfFileExists "$0\Uninstall.exe" 0 done
  DetailPrint "Removing the installed version from $0"
  ExecWait '"$0\Uninstall.exe" /S _?=$0'
  Delete "$0\Uninstall.exe"
  RMDir "$0"
done:
FunctionEnd

Section "Zelvora"
  SetShellVarContext current
  Call RemoveEarlierInstall
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  SetOutPath "$INSTDIR"  ; the shortcut's working folder
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Zelvora.exe" "" "$INSTDIR\Zelvora.exe" 0 \
      SW_SHOWNORMAL "" "Lightning risk areas by the graphic method"

  ; .Zlv files: their icon, Open with the file's name quoted (spaces and any language), and the
  ; program listed under "Open with".
  WriteRegStr HKCU "${CLASSES}\.Zlv" "" "${PROGID}"
  WriteRegStr HKCU "${CLASSES}\.Zlv\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Zelvora drawing"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\Zelvora.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\Zelvora.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\Applications\Zelvora.exe" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "${CLASSES}\Applications\Zelvora.exe\SupportedTypes" ".Zlv" ""
  WriteRegStr HKCU "${CLASSES}\Applications\Zelvora.exe\shell\open\command" "" '"$INSTDIR\Zelvora.exe" "%1"'
  System::Call "${NOTIFY_ASSOCIATIONS}"

  ; The entry in Settings > Apps (per user, so under HKCU).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zelvora.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro RemoveFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"  ; only when empty: a drawing the user saved here stays, and so does the folder
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ; .Zlv keeps whatever another program made of it since.
  ReadRegStr $0 HKCU "${CLASSES}\.Zlv" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegValue HKCU "${CLASSES}\.Zlv" ""
  DeleteRegValue HKCU "${CLASSES}\.Zlv\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.Zlv\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.Zlv"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegKey HKCU "${CLASSES}\Applications\Zelvora.exe"
  System::Call "${NOTIFY_ASSOCIATIONS}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
