; The setup program: a per-user install that needs no elevation, its
; uninstaller, and the shortcut that the program's "Run at Startup" entry names.
;
; makensis is given, with -D: VERSION (x.y.z), TARGET (x86-unicode or
; amd64-unicode, the architecture of the program), PROGRAM (the built
; Velorix.exe), RESOURCE_H (res/resource.h), ICON (res/Velorix.ico) and
; OUTFILE (the setup program to write), UNINSTALLER_COPY (where the finished
; uninstaller is copied, so the build can show and check it) and FINALIZE (the
; build's script that signs a finished program when a certificate was given,
; and otherwise leaves it as it is).
;
; Silent use: /S installs or uninstalls without pages, /D=<folder> (last on the
; line, unquoted) chooses the folder, /LOGON also makes Velorix start at logon.
; Exit codes: 0 done, 1 cancelled, 2 stopped by a check (message in the GUI).
;
; Either architecture's setup installed over the other replaces it in place:
; same folder, files and keys. Every key written here lies under
; HKCU\Software, which the registry shares between 32- and 64-bit processes
; (only redirected keys differ between the views), so no SetRegView.

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
; No file times in the archive: the same build inputs give the same setup
; whenever they are built. Installed files carry the time of the install.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include Sections.nsh

!define PRODUCT "Velorix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Named for the product: a shared folder may hold another program's
; "Uninstall.exe". Releases up to 4.6.0 used that name themselves.
!define UNINSTALLER "Uninstall ${PRODUCT}.exe"
!define OLD_UNINSTALLER "Uninstall.exe"
; The tray menu's "&Exit": the program then ends as a user would end it and
; writes its settings file on the way out. The accelerate button tells the
; main dialog apart from the About box, which carries the same caption.
!searchparse /file "${RESOURCE_H}" "#define ID_APP_EXIT_TRAY " ID_APP_EXIT_TRAY
!searchparse /file "${RESOURCE_H}" "#define IDC_ACCELERATE " IDC_ACCELERATE
; How long an ending instance may take before the setup gives up.
!define EXIT_WAIT_MS 5000
!define SYNCHRONIZE 0x00100000
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define ERROR_ACCESS_DENIED 5
!define WC_NO_BEST_FIT_CHARS 0x400

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!uninstfinalize 'sh "${FINALIZE}" "%1" "${UNINSTALLER_COPY}"'
!finalize 'sh "${FINALIZE}" "%1"'
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PRODUCT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInstalled

!define MUI_PAGE_CUSTOMFUNCTION_SHOW DirectoryShow
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var FolderExisted
Var DirectoryPage   ; the folder page's dialog while it is shown
Var FolderRefusal   ; its text saying why Next is disabled

; Shows the message (silent mode: nothing) and ends with exit code 2.
!macro STOP message
  MessageBox MB_OK|MB_ICONSTOP "${message}" /SD IDOK
  SetErrorLevel 2
  Quit
!macroend

!define RUNNING_AS_ADMIN "${PRODUCT} runs as administrator, so Setup cannot end it. Exit it from its tray menu, then try again."

; Ends every Velorix running from this folder through its own Exit command
; and waits for each process, so its files are free and its settings file is
; written. Its main dialog is a top-level "#32770" window captioned
; "Velorix" that holds the accelerate button; hidden into the tray, it is
; parked under the program's own hidden popup (class FrameworkWindow), where
; a top-level search does not see it. Copies started from other folders are
; left alone. Leaves "" on the stack when none is left, else a message for
; the user.
!macro END_RUNNING_VELORIX prefix
; The next main dialog after window $0 under parent $1 ("": top level) whose
; process runs this folder's program, or whose program cannot be read; 0
; when there is none. $R0 holds the program's path.
Function ${prefix}NextVelorixOfFolder
  ${Do}
    FindWindow $0 "#32770" "${PRODUCT}" $1 $0
    ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
    GetDlgItem $2 $0 ${IDC_ACCELERATE}
    ${If} $2 <> 0
      System::Call "user32::GetWindowThreadProcessId(p r0, *i .r2) i"
      System::Call "kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i r2) p .r2"
      ${IfThen} $2 = 0 ${|} ${ExitDo} ${|}
      System::Call "kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i ${NSIS_MAX_STRLEN}) i .r4"
      System::Call "kernel32::CloseHandle(p r2) i"
      ${If} $4 = 0
      ${OrIf} $3 == $R0
        ${ExitDo}
      ${EndIf}
    ${EndIf}
  ${Loop}
FunctionEnd

Function ${prefix}EndRunningVelorix
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $R0
  StrCpy $R0 "$INSTDIR\${PRODUCT}.exe"
  System::Call "kernel32::GetLongPathNameW(w R0, w .r2, i ${NSIS_MAX_STRLEN}) i .r3"
  ${IfThen} $3 <> 0 ${|} StrCpy $R0 $2 ${|}
  StrCpy $5 0 ; instances ended; bounds the loop should one respawn
  ${Do}
    ; Top-level windows first, then those parked under each FrameworkWindow.
    StrCpy $1 ""
    ${Do}
      StrCpy $0 0
      Call ${prefix}NextVelorixOfFolder
      ${IfThen} $0 <> 0 ${|} ${ExitDo} ${|}
      FindWindow $1 "FrameworkWindow" "" "" $1
    ${LoopUntil} $1 = 0
    ${If} $0 = 0
      StrCpy $0 ""
      ${ExitDo}
    ${EndIf}
    ${If} $5 >= 8
      StrCpy $0 "${PRODUCT} keeps running. Exit it from its tray menu, then try again."
      ${ExitDo}
    ${EndIf}
    IntOp $5 $5 + 1

    ; A Velorix started as administrator runs at a higher integrity level
    ; than this setup. Posting is subject to UIPI: a thread may post only to
    ; threads of processes of lesser or equal integrity level, and a message
    ; UIPI blocks fails with last error 5, ERROR_ACCESS_DENIED. Wine has no
    ; UIPI. A process this setup may not open is out of its reach as well.
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1) i"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r3"
    ${If} $3 = 0
      StrCpy $0 "${RUNNING_AS_ADMIN}"
      ${ExitDo}
    ${EndIf}
    ; Exit ends the program in order, closing a box it has open (the About
    ; box, say) first.
    System::Call "user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${ID_APP_EXIT_TRAY}, p 0) i .r1 ?e"
    Pop $2
    ${If} $1 = 0
    ${AndIf} $2 = ${ERROR_ACCESS_DENIED}
      StrCpy $0 "${RUNNING_AS_ADMIN}"
    ${ElseIf} $1 = 0
      StrCpy $0 "${PRODUCT} is running and could not be ended. Exit it from its tray menu, then try again."
    ${Else}
      System::Call "kernel32::WaitForSingleObject(p r3, i ${EXIT_WAIT_MS}) i .r1"
      StrCpy $0 ""
      ${IfThen} $1 <> 0 ${|} StrCpy $0 "${PRODUCT} did not end within a few seconds. Exit it from its tray menu, then try again." ${|}
    ${EndIf}
    System::Call "kernel32::CloseHandle(p r3) i"
    ${IfThen} $0 != "" ${|} ${ExitDo} ${|}
  ${Loop}
  Pop $R0
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro END_RUNNING_VELORIX ""
!insertmacro END_RUNNING_VELORIX "un."

; Leaves the ProductName that the version resource of the file on top of the
; stack gives in its first language, or "" when it has none. Every release's
; programs and uninstallers carry one naming the product. A string value's
; length is in characters; the copy reads no further than that.
Function ProductNameOf
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  StrCpy $5 ""
  System::Call "version::GetFileVersionInfoSizeW(w r0, *i 0) i .r1"
  ${If} $1 <> 0
    System::Alloc $1
    Pop $2
    System::Call "version::GetFileVersionInfoW(w r0, i 0, i r1, p r2) i .r3"
    ${If} $3 <> 0
      System::Call 'version::VerQueryValueW(p r2, w "\VarFileInfo\Translation", *p .r0, *i .r1) i .r3'
      ${If} $3 <> 0
      ${AndIf} $1 >= 4
        System::Call "*$0(&i2 .r3, &i2 .r4)"
        IntFmt $3 "%04x" $3
        IntFmt $4 "%04x" $4
        System::Call 'version::VerQueryValueW(p r2, w "\StringFileInfo\$3$4\ProductName", *p .r0, *i .r1) i .r3'
        ${If} $3 <> 0
        ${AndIf} $1 > 0
        ${AndIf} $1 < ${NSIS_MAX_STRLEN}
          IntOp $1 $1 + 1
          System::Call "kernel32::lstrcpynW(w .r5, p r0, i r1) p"
        ${EndIf}
      ${EndIf}
    ${EndIf}
    System::Free $2
  ${EndIf}
  StrCpy $0 $5
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

!define STILL_RUNNING "${PRODUCT} is still running from this folder. Exit it from its tray menu, then try again."

Section "${PRODUCT}" SecProgram
  SectionIn RO
  Call EndRunningVelorix
  Pop $0
  ${If} $0 != ""
    !insertmacro STOP "$0"
  ${EndIf}
  ; Nothing is written before the folder is known to take files, so a
  ; folder that cannot be made or written leaves no trace.
  StrCpy $FolderExisted 0
  ${If} ${FileExists} "$INSTDIR\*.*"
    StrCpy $FolderExisted 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\${PRODUCT}.setup-probe" w
  ${If} ${Errors}
  ${OrIf} $0 == ""
    ${If} $FolderExisted = 0
      RMDir "$INSTDIR"
    ${EndIf}
    !insertmacro STOP "Setup cannot write to the folder$\r$\n$INSTDIR$\r$\nChoose another folder."
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\${PRODUCT}.setup-probe"

  ; The working folder of a shortcut is the output folder: starts through
  ; either shortcut make the install folder current, which the program's
  ; "Run at Startup" entry is built from.
  SetOutPath "$INSTDIR"
  SetOverwrite on
  ; A running program's file cannot be replaced: one that no window led to
  ; is caught here, before anything is registered.
  ClearErrors
  File "/oname=${PRODUCT}.exe" "${PROGRAM}"
  ${If} ${Errors}
    !insertmacro STOP "${STILL_RUNNING}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; An "Uninstall.exe" here is an older release's when its version resource
  ; names the product, whichever folder the registration names by now (an
  ; install elsewhere in between moved it); another program's stays.
  Push "$INSTDIR\${OLD_UNINSTALLER}"
  Call ProductNameOf
  Pop $0
  ${IfThen} $0 S== "${PRODUCT}" ${|} Delete "$INSTDIR\${OLD_UNINSTALLER}" ${|}
  CreateShortCut "$INSTDIR\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/M=${PRODUCT}.exe /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same entry the program's own "Run at Startup" writes for this folder,
; so its check mark agrees. Left unchosen, an existing entry stays as it is:
; it is the user's choice, made in the program.
Section /o "Start ${PRODUCT} when I log on" SecLogon
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${PRODUCT}.lnk" -tray'
SectionEnd

; Leaves "" on the stack when the folder on top of it can take the install,
; else the reason it cannot. It must be a full path that the system's own
; completion leaves as it is (C:\..., \\server\share\...: nothing relative to a
; current folder or drive, no "..") and not a root; its names may hold no
; character that Windows forbids in file names; and the program's narrow
; paths must be able to name it, so every character must exist in the
; system's ANSI code page.
Function FolderRefusalOf
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  ; Forbidden: < > : " | ? * and the control characters 1-31; the colon
  ; only after the drive letter.
  StrCpy $1 '<>:"|?*'
  ${For} $2 1 31
    IntFmt $3 "%c" $2
    StrCpy $1 "$1$3"
  ${Next}
  StrCpy $2 $0 1 1
  ${If} $2 == ":"
    StrCpy $2 $0 "" 2
  ${Else}
    StrCpy $2 $0
  ${EndIf}
  StrLen $3 $2
  System::Call "shlwapi::StrCSpnW(w r2, w r1) i .r4"
  System::Call "kernel32::GetFullPathNameW(w r0, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i"
  System::Call "shlwapi::PathIsRootW(w r0) i .r2"
  ${If} $1 S!= $0
  ${OrIf} $2 <> 0
  ${OrIf} $0 == ""
    StrCpy $0 "Choose a full folder path below a drive or network share, such as C:\Programs\${PRODUCT}."
  ${ElseIf} $4 < $3
    StrCpy $0 'A folder name cannot hold any of < > : " | ? * or control characters.'
  ${Else}
    System::Call "kernel32::WideCharToMultiByte(i 0, i ${WC_NO_BEST_FIT_CHARS}, w r0, i -1, p 0, i 0, p 0, *i 0 r2) i"
    StrCpy $0 ""
    ${If} $2 <> 0
      StrCpy $0 "The folder's name holds characters that this system's code page cannot spell, and ${PRODUCT} names its files in that code page. Choose another folder."
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The refusal's text takes the place of the space figures below the folder,
; in their font. The page strips forbidden characters from what is typed
; before $INSTDIR is set, so the typed text itself is checked as well.
Function DirectoryShow
  FindWindow $DirectoryPage "#32770" "" $HWNDPARENT
  GetDlgItem $0 $DirectoryPage 1023
  System::Call "*(i, i, i, i) p .r1"
  System::Call "user32::GetWindowRect(p r0, p r1) i"
  System::Call "user32::MapWindowPoints(p 0, p $DirectoryPage, p r1, i 2) i"
  System::Call "*$1(i .r2, i .r3)"
  System::Call "user32::GetClientRect(p $DirectoryPage, p r1) i"
  System::Call "*$1(i, i, i .r4, i .r5)"
  System::Free $1
  IntOp $4 $4 - $2
  IntOp $5 $5 - $3
  System::Call 'user32::CreateWindowExW(i 0, w "STATIC", w "", i ${WS_CHILD}, i r2, i r3, i r4, i r5, p $DirectoryPage, p 0, p 0, p 0) p .s'
  Pop $FolderRefusal
  SendMessage $0 ${WM_GETFONT} 0 0 $1
  SendMessage $FolderRefusal ${WM_SETFONT} $1 0
  Call .onVerifyInstDir
FunctionEnd

Function .onVerifyInstDir
  Push $INSTDIR
  Call FolderRefusalOf
  Pop $0
  System::Call "user32::IsWindow(p $FolderRefusal) i .r1"
  ${If} $1 <> 0
    ${If} $0 == ""
      System::Call "user32::GetDlgItemTextW(p $DirectoryPage, i 1019, w .r1, i ${NSIS_MAX_STRLEN}) i"
      Push $1
      Call FolderRefusalOf
      Pop $0
    ${EndIf}
    SendMessage $FolderRefusal ${WM_SETTEXT} 0 "STR:$0"
    ${If} $0 == ""
      StrCpy $1 ${SW_SHOW}
      ShowWindow $FolderRefusal ${SW_HIDE}
    ${Else}
      StrCpy $1 ${SW_HIDE}
      ShowWindow $FolderRefusal ${SW_SHOW}
    ${EndIf}
    GetDlgItem $2 $DirectoryPage 1023
    ShowWindow $2 $1
    GetDlgItem $2 $DirectoryPage 1024
    ShowWindow $2 $1
  ${EndIf}
  ${IfThen} $0 != "" ${|} Abort ${|}
FunctionEnd

Function .onInit
  ; /D= names the folder exactly. The setup's own start-up silently swaps a
  ; folder it judges unusable (one below a file, say) for the previous or
  ; the default folder, which would install elsewhere and report success;
  ; taken back here, the install refuses it with a message and exit code 2.
  System::Call "kernel32::GetCommandLineW() w .r0"
  StrLen $1 $0
  StrCpy $2 -1
  ${For} $3 0 $1
    StrCpy $4 $0 4 $3
    ${IfThen} $4 S== " /D=" ${|} StrCpy $2 $3 ${|}
  ${Next}
  ${If} $2 >= 0
    IntOp $2 $2 + 4
    StrCpy $4 $0 "" $2
    Push $4
    Call FolderRefusalOf
    Pop $5
    ${If} $5 != ""
      !insertmacro STOP "Setup cannot install into$\r$\n$4$\r$\n$5"
    ${EndIf}
    StrCpy $5 $4 1 -1
    ${IfThen} $5 == "\" ${|} StrCpy $4 $4 -1 ${|}
    StrCpy $INSTDIR $4
  ${EndIf}

  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LOGON" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecLogon}
  ${EndIf}
FunctionEnd

Function StartInstalled
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\${PRODUCT}.exe"'
FunctionEnd

; Removes only what setup installed and what the program writes beside
; itself; the folder goes only when nothing else is left in it. The settings
; key stays, so a later install keeps the user's choices.
Section "Uninstall"
  Call un.EndRunningVelorix
  Pop $0
  ${If} $0 != ""
    !insertmacro STOP "$0"
  ${EndIf}

  Delete "$INSTDIR\${PRODUCT}.exe"
  ${If} ${FileExists} "$INSTDIR\${PRODUCT}.exe"
    !insertmacro STOP "${STILL_RUNNING}"
  ${EndIf}
  Delete "$INSTDIR\${PRODUCT}.ini"
  Delete "$INSTDIR\${PRODUCT}.lnk"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  ; The registration and the Start-menu shortcut belong to whichever folder
  ; was installed last: an older folder's uninstaller leaves them alone.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == "$INSTDIR"
  ${OrIf} $0 == ""
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  ; The Run entry goes only when it names a file in this folder.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  StrLen $1 '"$INSTDIR\'
  StrCpy $2 $0 $1
  ${If} $2 == '"$INSTDIR\'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
SectionEnd
