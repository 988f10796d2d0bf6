; The 64-bit installer: both programs and their data files into Program Files, a Start-menu
; entry, "Open with Tessik" on every file, and an uninstaller that Windows lists among the
; installed programs. Made by scripts/package-windows.sh, which defines
;   VERSION       the project's version, e.g. 1.690
;   FILE_VERSION  the same in four numbers, as Windows' version resource wants it
;   FILE_LIST     a header made from the files: their size in KiB (INSTALLED_KIB) and the
;                 macros InstallFiles and RemoveFiles
;   ICON          the program's icon
;   OUTFILE       the installer to write
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!define PRODUCT "Tessik"
!define PUBLISHER "Korvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; Under the machine's classes: every file's context menu, for every user.
!define CONTEXT_KEY "Software\Classes\*\shell\${PRODUCT}"

!include "MUI2.nsh"
!include "${FILE_LIST}"

Name "${PRODUCT} ${VERSION}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A new version goes where the last one is, unless the user picks another folder.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 the Tessik authors, MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The languages the program ships; the installer speaks the one of Windows' own display.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"

LangString OpenWith ${LANG_ENGLISH} "Open with Tessik"
LangString OpenWith ${LANG_GERMAN} "Mit Tessik öffnen"
LangString OpenWith ${LANG_FRENCH} "Ouvrir avec Tessik"
LangString OpenWith ${LANG_SPANISH} "Abrir con Tessik"

Section "Install"
    SetShellVarContext all
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tessik.exe"

    WriteRegStr HKLM "${CONTEXT_KEY}" "" "$(OpenWith)"
    WriteRegStr HKLM "${CONTEXT_KEY}" "Icon" "$INSTDIR\tessik.exe"
    WriteRegStr HKLM "${CONTEXT_KEY}\command" "" '"$INSTDIR\tessik.exe" "%1"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessik.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_KIB}
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    ; Only the files the installer put there: the folder may have been chosen with other files
    ; in it, and the user's settings live elsewhere.
    !insertmacro RemoveFiles
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${CONTEXT_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The record the program keeps of where it was installed, in the machine's application data
    ; (the shell context is all users'); a copy still on the machine writes it again when it
    ; starts.
    Delete "$APPDATA\${PUBLISHER}\${PRODUCT}\Installation.ini"
    RMDir "$APPDATA\${PUBLISHER}\${PRODUCT}"
    RMDir "$APPDATA\${PUBLISHER}"
SectionEnd
