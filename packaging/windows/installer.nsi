; The per-user installer of Quintaro for 64-bit Windows 10 and 11.
; makensis -DVERSION=1.0.0 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> installer.nsi
;
; It installs into the user's own programs folder without administrator
; rights, adds Start-menu entries and an entry among the installed apps, and
; offers Quintaro under "Open with" for .jww, .jws, .jwc and .jwk. It never
; changes which program opens these files (the extension's default value):
; Jw_cad stays the one. The uninstaller removes exactly what was added and
; keeps the user's settings.

; A 64-bit installer (Unicode) for the 64-bit programs.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define APP "Quintaro"
!define PROGID "Quintaro.Drawing"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintaro"
!define APP_KEY "Software\Classes\Applications\quintaro.exe"
!define APP_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\quintaro.exe"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quintaro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${APP}"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP} ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "MIT License"

!define MUI_ICON "${STAGE}\quintaro.ico"
!define MUI_UNICON "${STAGE}\quintaro.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quintaro.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; "Open with" for one extension: a value under its OpenWithProgids, nothing else.
!macro OpenWith EXT
  WriteRegNone HKCU "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}"
  WriteRegStr HKCU "${APP_KEY}\SupportedTypes" "${EXT}" ""
!macroend
; Takes the value away again; the keys go only when nothing else is in them
; (a default program's value keeps them).
!macro NoOpenWith EXT
  DeleteRegValue HKCU "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "Software\Classes\${EXT}\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "Software\Classes\${EXT}"
!macroend

Section "Quintaro"
  SetOutPath "$INSTDIR"
  File "${STAGE}\quintaro.exe"
  File "${STAGE}\quintaro-cli.exe"
  File "${STAGE}\quintaro-guide.txt"
  File "${STAGE}\quintaro-cli.txt"
  File "${STAGE}\README-ja.txt"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\licenses"
  File /r "${STAGE}\licenses\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Quintaro"
  CreateShortcut "$SMPROGRAMS\Quintaro\Quintaro.lnk" "$INSTDIR\quintaro.exe"
  CreateShortcut "$SMPROGRAMS\Quintaro\Quintaro の使い方.lnk" "$INSTDIR\quintaro-guide.txt"
  CreateShortcut "$SMPROGRAMS\Quintaro\Quintaro のアンインストール.lnk" "$INSTDIR\uninstall.exe"

  ; The application and its kind of document, for "Open with".
  WriteRegStr HKCU "${APP_KEY}" "FriendlyAppName" "Quintaro"
  WriteRegStr HKCU "${APP_KEY}\DefaultIcon" "" "$INSTDIR\quintaro.exe,0"
  WriteRegStr HKCU "${APP_KEY}\shell\open\command" "" '"$INSTDIR\quintaro.exe" "%1"'
  WriteRegStr HKCU "Software\Classes\${PROGID}" "" "Jw_cad 図面 (Quintaro)"
  WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\quintaro.exe,0"
  WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\quintaro.exe" "%1"'
  !insertmacro OpenWith ".jww"
  !insertmacro OpenWith ".jws"
  !insertmacro OpenWith ".jwc"
  !insertmacro OpenWith ".jwk"
  WriteRegStr HKCU "${APP_PATH_KEY}" "" "$INSTDIR\quintaro.exe"

  ; An entry among the installed apps.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quintaro"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quintaro.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quintaro authors"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; The settings (%LOCALAPPDATA%\quintaro) stay.
Section "Uninstall"
  Delete "$INSTDIR\quintaro.exe"
  Delete "$INSTDIR\quintaro-cli.exe"
  Delete "$INSTDIR\quintaro-guide.txt"
  Delete "$INSTDIR\quintaro-cli.txt"
  Delete "$INSTDIR\README-ja.txt"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The user's programs folder, when this install made it and nothing else is in it.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "$SMPROGRAMS\Quintaro\Quintaro.lnk"
  Delete "$SMPROGRAMS\Quintaro\Quintaro の使い方.lnk"
  Delete "$SMPROGRAMS\Quintaro\Quintaro のアンインストール.lnk"
  RMDir "$SMPROGRAMS\Quintaro"

  !insertmacro NoOpenWith ".jww"
  !insertmacro NoOpenWith ".jws"
  !insertmacro NoOpenWith ".jwc"
  !insertmacro NoOpenWith ".jwk"
  DeleteRegKey HKCU "Software\Classes\${PROGID}"
  DeleteRegKey HKCU "${APP_KEY}"
  DeleteRegKey HKCU "${APP_PATH_KEY}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
