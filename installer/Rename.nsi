; The installer of Rename: per machine into Program Files, a Start-menu
; shortcut, the Explorer context-menu entry and the Send To link as optional
; components, an entry in Add/Remove Programs and an uninstaller.
;
; Built by cmake/package.sh, which passes
;   VERSION   the program's file version (rename/res/Rename.rc)
;   STAGE     the program folder as it ships (build/dist plus README.txt and LICENSE.txt)
;   INCLUDES  the folder of the two made includes: files.nsh (the stage's
;             files, to install and to delete) and registry.nsh (the Explorer
;             entry's keys, from the program's own registration scripts)
;   OUTFILE   the installer's path
;
; Silent:  setup.exe /S [/NOEXPLORER] [/NOSENDTO] [/D=folder]
;          uninstall.exe /S [/REMOVESETTINGS]   (settings are kept unless asked)

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!ifndef VERSION | STAGE | INCLUDES | OUTFILE
  !error "VERSION, STAGE, INCLUDES and OUTFILE are passed by cmake/package.sh"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include "${INCLUDES}/files.nsh"
!include "${INCLUDES}/registry.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Rename"
!define PUBLISHER "Morvane Software"

Name "Rename ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Rename"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Rename ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey "ProductName" "Rename"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Rename ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

!define MUI_ICON "../rename/res/Rename.ico"
!define MUI_UNICON "../rename/res/Rename.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Rename (required)" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !insertmacro RenameInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Rename.lnk" "$INSTDIR\Rename.exe"

  ; A 64-bit installer writes the 64-bit view, where Windows looks for 64-bit programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Rename"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Rename.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Explorer context-menu entry" SecExplorer
  ; The keys the program's own add script writes, for the extension in $INSTDIR.
  !insertmacro RenameExplorerAdd
SectionEnd

Section "Send To link" SecSendTo
  ; Send To is the user's own folder; the link starts in the program's folder.
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortCut "$SENDTO\${RENAME_SENDTO_LINK}" "$INSTDIR\Rename.exe" "${RENAME_SENDTO_ARGUMENTS}"
SectionEnd

; A running Rename holds its files: the (un)installer waits until it is closed.
; The name is the program's single-instance mutex (rename/core/Program_win.cpp).
!macro RenameNotRunning
  retry:
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "CalyxoMorvaneSoftware") p .r0'
  StrCmp $0 0 done
  System::Call 'kernel32::CloseHandle(p r0)'
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Rename is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
  Abort
  done:
!macroend

Function .onInit
  !insertmacro RenameNotRunning
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOEXPLORER" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecExplorer} 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/NOSENDTO" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecSendTo} 0
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro RenameNotRunning
FunctionEnd

Section "Uninstall"
  !insertmacro RenameRemoveFiles
  ; What the program wrote beside itself while its folder was writable to it (an administrator's run).
  Delete "$INSTDIR\Morvane.reg"
  Delete "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Rename.lnk"
  SetShellVarContext current
  Delete "$SENDTO\${RENAME_SENDTO_LINK}"

  ; Every key and value the program's add and remove scripts name, in both views;
  ; the program's own entry or the one this installer wrote.
  !insertmacro RenameExplorerRemove
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The user's settings and scripts go only when asked for.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Delete your Rename settings and scripts too?$\r$\n($APPDATA\Rename)" /SD IDNO IDYES removeSettings
    Goto settingsDone
  ${EndIf}
  removeSettings:
  RMDir /r "$APPDATA\Rename"
  Delete "$INSTDIR\Rename.ini"
  Delete "$INSTDIR\Rename.journal*"
  settingsDone:
  RMDir "$INSTDIR"
SectionEnd
