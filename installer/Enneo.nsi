; The Windows installer of Enneo Tessary (NSIS 3, Unicode): a per-user install without
; administrator rights, a Start-menu shortcut and an uninstaller registered for
; Settings / Apps. scripts/release.sh builds it with
;
;   makensis -DVERSION=V -DPROGRAM=PATH/Enneo.exe -DOUTFILE=PATH/Enneo-Tessary-V-setup.exe
;            -DARCH=win32|win64 [-DSIGN_COMMAND=COMMAND] installer/Enneo.nsi
;
; VERSION is the program's MAJOR.MINOR.PATCH; ARCH win32 (the shipped i686 program, an
; x86 installer) or win64 (an x86_64 program and an amd64 installer, for machines that
; cannot run 32-bit programs). PROGRAM and OUTFILE are absolute paths: makensis reads
; this script in its own folder. SIGN_COMMAND, when given, signs a file named after it
; in place (release.sh's Authenticode signing): the uninstaller before it is packed
; into the installer, and the installer once it is written. Standard switches of the
; installer: /S installs silently, /D=DIR (last, unquoted, even with blanks) chooses
; the folder. It registers the program's own file types for the current user (puzzle
; files ".enn" and game files ".enneo-game"; never ".txt"), so that a double-click opens
; them in the program. It does not replace a newer Enneo.exe (one whose version resource names a
; newer version, as after the program updated itself) with its older one: it says so
; and, silent, ends with exit code 2, unless it is given /ALLOWDOWNGRADE.
;
; The output depends only on the bytes of these inputs: no build date goes into it, and
; the program's file time is not stored (SetDateSave off), so two builds of the same
; Enneo.exe give the same setup.exe.

!ifndef VERSION | PROGRAM | OUTFILE | ARCH
    !error "define VERSION, PROGRAM, OUTFILE and ARCH (see the top of this file)"
!endif

!if "${ARCH}" == "win32"
    Target x86-unicode
!else if "${ARCH}" == "win64"
    Target amd64-unicode
!else
    !error "ARCH is win32 or win64, not ${ARCH}"
!endif

!define PRODUCT "Enneo Tessary"
!define PUBLISHER "Enneo Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The current user's file types, which Windows merges over the machine's.
!define CLASSES "Software\Classes"
!define OPEN_COMMAND '"$INSTDIR\Enneo.exe" "%1"'

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WordFunc.nsh

!ifdef SIGN_COMMAND
    !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
    !finalize '${SIGN_COMMAND} "%1"' = 0
!endif

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
SetDateSave off

; Per user: the program's update writes beside Enneo.exe, so the folder must be one the
; user owns, and nothing here needs more than the user's own rights.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last install went; /D still overrides both.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

; makensis reads the script in its own folder: this path is relative to it.
!define MUI_ICON "../resources/Enneo.ico"
!define MUI_UNICON "../resources/Enneo.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Enneo.exe"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseNewerOnThePage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Sets $R9 to the version of the Enneo.exe in $INSTDIR when it is newer than this
; setup's, empty when it is not (or has no version resource) or /ALLOWDOWNGRADE is given.
Function FindNewerProgram
    StrCpy $R9 ""
    ClearErrors
    GetDLLVersion "$INSTDIR\Enneo.exe" $R0 $R1
    IfErrors done
    IntOp $R2 $R0 >> 16
    IntOp $R2 $R2 & 0xFFFF
    IntOp $R3 $R0 & 0xFFFF
    IntOp $R4 $R1 >> 16
    IntOp $R4 $R4 & 0xFFFF
    ${VersionCompare} "$R2.$R3.$R4" "${VERSION}" $R5
    StrCmp $R5 1 0 done
    ${GetParameters} $R6
    ClearErrors
    ${GetOptions} $R6 "/ALLOWDOWNGRADE" $R7
    IfErrors 0 done
    StrCpy $R9 "$R2.$R3.$R4"
  done:
FunctionEnd

!define NEWER_TEXT "${PRODUCT} $R9 is installed in $INSTDIR, which is newer than this setup's ${VERSION}. \
Setup does not replace it with an older version; run it with /ALLOWDOWNGRADE to do so all the same."

; The folder page stays while the folder chosen holds a newer program.
Function RefuseNewerOnThePage
    Call FindNewerProgram
    StrCmp $R9 "" +3
    MessageBox MB_ICONSTOP "${NEWER_TEXT}"
    Abort
FunctionEnd

; Registers the extension EXT as the file type PROGID, named DESCRIPTION, with the
; program's icon and the command that opens a file in it. The type is also listed under
; the extension's OpenWithProgids, so that "Open with" offers it even where another
; program later takes the extension over.
!macro RegisterType EXT PROGID DESCRIPTION
    WriteRegStr HKCU "${CLASSES}\${EXT}" "" "${PROGID}"
    WriteRegStr HKCU "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "${DESCRIPTION}"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\Enneo.exe,0"
    WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
!macroend

; Takes back what RegisterType wrote and nothing else: the extension's type only while it
; is still PROGID, the type's key only while its command still opens this program, and
; a key only once it is empty (another program's values stay).
!macro UnregisterType EXT PROGID
    ReadRegStr $0 HKCU "${CLASSES}\${EXT}" ""
    ${If} $0 == "${PROGID}"
        DeleteRegValue HKCU "${CLASSES}\${EXT}" ""
    ${EndIf}
    DeleteRegValue HKCU "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "${CLASSES}\${EXT}\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "${CLASSES}\${EXT}"
    ReadRegStr $0 HKCU "${CLASSES}\${PROGID}\shell\open\command" ""
    ${If} $0 == '${OPEN_COMMAND}'
        DeleteRegKey HKCU "${CLASSES}\${PROGID}"
    ${EndIf}
!macroend

Section "Install"
    SetShellVarContext current
    ; Silent, no page asked: the same refusal ends the setup, exit code 2.
    Call FindNewerProgram
    StrCmp $R9 "" install
    MessageBox MB_ICONSTOP "${NEWER_TEXT}" /SD IDOK
    SetErrorLevel 2
    Quit
  install:
    ; Over an earlier version this overwrites the program in place; the program itself
    ; removes what an interrupted update may have left beside it when it next starts.
    SetOutPath "$INSTDIR"
    File "/oname=Enneo.exe" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; CreateShortCut takes $OUTPATH, the install folder, as the working folder.
    CreateShortCut "${SHORTCUT}" "$INSTDIR\Enneo.exe"

    !insertmacro RegisterType ".enn" "EnneoTessary.Puzzle" "Enneo Tessary puzzle"
    !insertmacro RegisterType ".enneo-game" "EnneoTessary.Game" "Enneo Tessary game"
    ${RefreshShellIcons}  ; tells Explorer that file types changed

    ; Settings / Apps shows EstimatedSize: what this installer wrote, in KB.
    ${GetSize} "$INSTDIR" "/M=Enneo.exe /S=0K /G=0" $0 $1 $2
    ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0K /G=0" $1 $2 $3
    IntOp $0 $0 + $1
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Enneo.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes the program, whatever its update left beside it (see
; common/util/version/UpdateFiles.h), the shortcut, the file types it registered and the
; uninstall key, and the folder only when nothing else is in it: the user's puzzle files stay where they are. The
; program's settings under HKCU\Software\Enneo Project\Enneo Tessary stay too, like the
; puzzles, so that a later install finds the user's choices again.
Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\Enneo.exe"
    Delete "$INSTDIR\Enneo.exe.old"
    Delete "$INSTDIR\Enneo.upd"
    Delete "$INSTDIR\Enneo.upd.sig"
    Delete "$INSTDIR\updater.exe"
    Delete "$INSTDIR\Enneo.update"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    !insertmacro UnregisterType ".enn" "EnneoTessary.Puzzle"
    !insertmacro UnregisterType ".enneo-game" "EnneoTessary.Game"
    ${un.RefreshShellIcons}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
