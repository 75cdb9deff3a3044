; The Windows installer of Enneo Tessary (NSIS 3, Unicode): a per-user install without
; administrator rights, a Start-menu shortcut and an uninstaller registered for
; Settings / Apps. scripts/release.sh builds it with
;
;   makensis -DVERSION=V -DPROGRAM=PATH/Enneo.exe -DOUTFILE=PATH/Enneo-Tessary-V-setup.exe
;            -DARCH=win32|win64 -DTEXTS=PATH/installer.nsh [-DSIGN_COMMAND=COMMAND]
;            installer/Enneo.nsi
;
; VERSION is the program's MAJOR.MINOR.PATCH; ARCH win32 (the shipped i686 program, an
; x86 installer) or win64 (an x86_64 program and an amd64 installer, for machines that
; cannot run 32-bit programs). TEXTS is the build's languages/generated/installer.nsh
; (CMake's ENNEO_INSTALLER_TEXTS): this script's own texts in each of its languages,
; which languages/compile_catalogue.py writes from the catalogues' group "installer".
; PROGRAM, OUTFILE and TEXTS are absolute paths: makensis reads this script in its own
; folder. SIGN_COMMAND, when given, signs a file named after it in place (release.sh's
; Authenticode signing): the uninstaller before it is packed into the installer, and
; the installer once it is written. Standard switches of the
; installer: /S installs silently, /D=DIR (last, unquoted, even with blanks) chooses
; the folder. It registers the program's own file types for the current user (puzzle
; files ".enn" and game files ".enneo-game"; never ".txt"), so that a double-click opens
; them in the program. It does not replace a newer Enneo.exe (one whose version resource names a
; newer version, as after the program updated itself) with its older one: it says so
; and, silent, ends with exit code 2, unless it is given /ALLOWDOWNGRADE.
;
; The installer and the uninstaller speak English, German, French, Spanish or Russian,
; as Windows' display language is, English for any other: their pages in NSIS's own
; texts, what this script adds in the catalogues' ($(kName)).
;
; The output depends only on the bytes of these inputs: no build date goes into it, and
; the program's file time is not stored (SetDateSave off), so two builds of the same
; Enneo.exe give the same setup.exe.

!ifndef VERSION | PROGRAM | OUTFILE | ARCH | TEXTS
    !error "define VERSION, PROGRAM, OUTFILE, ARCH and TEXTS (see the top of this file)"
!endif

Unicode true

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

; The title of the installer's window and its message boxes, in its language (.onInit).
Var Caption

Name "${PRODUCT}"
Caption "$Caption"
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
; The first is the language for a Windows whose display language is none of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Russian"
; A text's placeholders {1}, {2}, ... are the registers $1, $2, ... when it is used.
!include "${TEXTS}"

; The caption, once the language is known and before the first window.
Function .onInit
    StrCpy $1 "${VERSION}"
    StrCpy $Caption "$(kInstallerCaption)"
FunctionEnd

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

; Says that the newer program $R9 stays (nothing when silent).
Function SayNewerStays
    StrCpy $1 $R9
    StrCpy $2 $INSTDIR
    StrCpy $3 "${VERSION}"
    MessageBox MB_ICONSTOP "$(kInstallerNewerInstalled)" /SD IDOK
FunctionEnd

; The folder page stays while the folder chosen holds a newer program.
Function RefuseNewerOnThePage
    Call FindNewerProgram
    StrCmp $R9 "" +3
    Call SayNewerStays
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
    Call SayNewerStays
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

    !insertmacro RegisterType ".enn" "EnneoTessary.Puzzle" "$(kInstallerPuzzleType)"
    !insertmacro RegisterType ".enneo-game" "EnneoTessary.Game" "$(kInstallerGameType)"
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

; The record an update keeps of the files it made beside the program, as
; common/util/version/UpdateFiles.h describes it: this header line, then one line
; "<size> <index> <file name>" for each file, where size and index (the file's index on
; its volume) are what the file had when the update made it.
!define RECORD "Enneo.update"
!define RECORD_HEADER "Enneo Tessary update record"
!define LARGEST_RECORD 4096

; Reads the record line $0 (with its LF) into $1 (the size), $2 (the index) and $3 (the
; file name); $4 is "ok" when the line is one: two decimal numbers of 1 to 19 digits and
; one of the names an update gives its files.
Function un.ReadRecordEntry
    StrCpy $4 ""
    StrCpy $1 ""
    StrCpy $2 ""
    StrCpy $R0 $0 "" -1
    StrCmp $R0 "$\n" 0 done
    StrCpy $R0 $0 -1
    StrCpy $R1 0  ; the position in $R0
    ${Do}
        StrCpy $R2 $R0 1 $R1
        IntOp $R1 $R1 + 1
        ${If} $R2 == " "
            ${If} $2 != ""
            ${OrIf} $1 == ""
                ${ExitDo}
            ${EndIf}
            StrCpy $2 "-"  ; the index is read next
            ${Continue}
        ${EndIf}
        ; A digit is the one character whose number reads back as itself.
        IntOp $R3 $R2 + 0
        StrCmp $R3 $R2 0 done
        ${If} $2 == ""
            StrCpy $1 "$1$R2"
        ${ElseIf} $2 == "-"
            StrCpy $2 $R2
        ${Else}
            StrCpy $2 "$2$R2"
        ${EndIf}
    ${Loop}
    StrCpy $3 $R0 "" $R1
    StrLen $R3 $1
    StrLen $R4 $2
    ${If} $R3 = 0
    ${OrIf} $R3 > 19
    ${OrIf} $R4 = 0
    ${OrIf} $R4 > 19
    ${OrIf} $2 == "-"
        Goto done
    ${EndIf}
    ${If} $3 S== "Enneo.exe.old"
    ${OrIf} $3 S== "Enneo.upd"
    ${OrIf} $3 S== "Enneo.upd.sig"
    ${OrIf} $3 S== "updater.exe"
        StrCpy $4 "ok"
    ${EndIf}
  done:
FunctionEnd

; Deletes "$INSTDIR\$3" when its size is still $1 and its index $2, through the handle
; they are read from, so that no other file takes its place between the check and the
; deletion (as the program does). $5 becomes "kept" when the file is the update's but
; cannot be deleted now (a program still running).
Function un.DeleteIfRecorded
    ; GENERIC_READ | DELETE, others may read and write, OPEN_EXISTING
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\$3", i 0x80010000, i 3, p 0, i 3, i 0x80, p 0) p.R6'
    ${If} $R6 P= -1
        Return
    ${EndIf}
    ; BY_HANDLE_FILE_INFORMATION: 13 DWORDs, the size's high and low ninth and tenth, the
    ; index's twelfth and thirteenth.
    System::Alloc 52
    Pop $R7
    System::Call 'kernel32::GetFileInformationByHandle(p R6, p R7) i.R8'
    System::Call '*$R7(i, i, i, i, i, i, i, i, i.R0, i.R1, i, i.R2, i.R3)'
    System::Free $R7
    ; Each as the decimal of its 64 bits, as the record writes them (read as signed: a
    ; value of 2^63 or more never matches, and its file stays).
    System::Int64Op $R1 & 0xFFFFFFFF
    Pop $R1
    System::Int64Op $R0 << 32
    Pop $R0
    System::Int64Op $R0 | $R1
    Pop $R0
    System::Int64Op $R3 & 0xFFFFFFFF
    Pop $R3
    System::Int64Op $R2 << 32
    Pop $R2
    System::Int64Op $R2 | $R3
    Pop $R2
    ${If} $R8 <> 0
    ${AndIf} $R0 S== $1
    ${AndIf} $R2 S== $2
        ; FileDispositionInfo: deleted when this handle closes.
        System::Call 'kernel32::SetFileInformationByHandle(p R6, i 4, *i 1, i 4) i.R8'
        ${If} $R8 = 0
            StrCpy $5 "kept"
        ${EndIf}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R6)'
FunctionEnd

; Removes what an update made beside the program and nothing else, as the program does
; at its start: only when the record reads as one (its header, then only lines that
; un.ReadRecordEntry accepts, at most LARGEST_RECORD bytes) are the files it names
; deleted, each only while its size and index are still the recorded ones. Without a
; record, with one that is not one, or for a file that is not the recorded one (a
; user's own "Enneo.exe.old", another program's "updater.exe" in a shared folder), the
; files stay. The record goes when none of its files is left.
Function un.RemoveRecordedUpdate
    ClearErrors
    FileOpen $9 "$INSTDIR\${RECORD}" r
    IfErrors done
    FileSeek $9 0 END $8
    ${If} $8 > ${LARGEST_RECORD}
        Goto close
    ${EndIf}
    FileSeek $9 0 SET
    FileRead $9 $0
    StrCmpS $0 "${RECORD_HEADER}$\n" 0 close
    ; Every line is checked before any file is touched.
    ${Do}
        ClearErrors
        FileRead $9 $0
        ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
        Call un.ReadRecordEntry
        StrCmp $4 "ok" 0 close
    ${Loop}
    StrCpy $5 ""
    FileSeek $9 0 SET
    FileRead $9 $0
    ${Do}
        ClearErrors
        FileRead $9 $0
        ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
        Call un.ReadRecordEntry
        Call un.DeleteIfRecorded
    ${Loop}
    FileClose $9
    ${If} $5 != "kept"
        Delete "$INSTDIR\${RECORD}"
    ${EndIf}
    Goto done
  close:
    FileClose $9
  done:
FunctionEnd

; Removes the program, what its update recorded beside it (un.RemoveRecordedUpdate), the
; shortcut, the file types it registered and the uninstall key, and the folder only when
; nothing else is in it: the user's puzzle files stay where they are, and so does any
; file of an update's names that the update did not make. The program's settings under
; HKCU\Software\Enneo Project\Enneo Tessary stay too, like the puzzles, so that a later
; install finds the user's choices again.
Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\Enneo.exe"
    Call un.RemoveRecordedUpdate
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    !insertmacro UnregisterType ".enn" "EnneoTessary.Puzzle"
    !insertmacro UnregisterType ".enneo-game" "EnneoTessary.Game"
    ${un.RefreshShellIcons}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
