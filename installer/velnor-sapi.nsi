; The Windows package of Velnor SAPI: the voice engine with the synthesis
; engine and its recorded voice, the configurer with its guide, the stress
; dictionary library with its database library, the engine's COM class and the eight voice
; tokens, and an uninstaller that takes all of them away again. The user's
; application-data folder (settings and dictionaries) is never touched, so an
; upgrade or a reinstallation keeps it.
;
; Built by installer/CMakeLists.txt, which passes with -D: VERSION (x.y.z),
; OUTFILE, and the path of each file to install: VLSAPI_DLL, VELNOR_DLL,
; VELNOR_VOICE (the recorded voice, beside velnor.dll), VLCONF_EXE, GUIDE_HTML,
; VLDICT_DLL, LEXDB_DLL, DICT_DAT, NOTICES_TXT, and for 64-bit Windows
; VLSAPI64_DLL and VLSAPIHOST_EXE.
;
; The Russian stress dictionary dict.dat is the package's own file in the
; program folder, and the stress library finds it through the registry value
; "db" of DICT_KEY, which the library reads before it falls back to the user's
; application-data folder: so every user of the machine has it without set-up.
; The value is written only when it is missing or already names the shipped
; copy, and the installing user keeps no dict.dat of their own in the data
; folder; a dictionary of the user's (named by "db", or in the data folder) is
; never replaced, and the uninstaller removes the value only while it names the
; shipped copy.
;
; Silent mode (/S) asks nothing and does not start the configurer: on a first
; installation the configurer greets the user with a message box, which nobody
; would answer. The engine writes the default settings at its first voice
; set-up, and the configurer writes its own files when it is first started.
;
; Should the engine's registration fail, 32-bit or 64-bit, the installation is
; rolled back (an earlier installation's files of both kinds come back,
; registered again; without one, nothing of this one stays), says why and ends
; with exit status 2.

Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Velnor SAPI"
!define VENDOR "Velnor SAPI"
!define CLASS_ID "{3C1A7E52-9B0D-4F68-A2E4-7D15C08B9F31}"
!define TOKENS_KEY "SOFTWARE\Microsoft\Speech\Voices\Tokens"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelnorSAPI"
!define PACKAGE_KEY "SOFTWARE\Velnor SAPI"
!define DICT_KEY "${PACKAGE_KEY}\vldict"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; $PROGRAMFILES is the 32-bit program folder; an earlier installation's folder wins.
InstallDir "$PROGRAMFILES\Velnor SAPI"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${VENDOR}"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Ukrainian"
!insertmacro MUI_LANGUAGE "English"

LangString FinishText ${LANG_RUSSIAN} "Голоса Velnor SAPI установлены. Сейчас откроется программа настройки."
LangString FinishText ${LANG_UKRAINIAN} "Голоси Velnor SAPI встановлено. Зараз відкриється програма налаштування."
LangString FinishText ${LANG_ENGLISH} "The Velnor SAPI voices are installed. The configurer opens next."
LangString RegisterFailed ${LANG_RUSSIAN} "Не удалось зарегистрировать речевой модуль vlsapi.dll."
LangString RegisterFailed ${LANG_UKRAINIAN} "Не вдалося зареєструвати мовний модуль vlsapi.dll."
LangString RegisterFailed ${LANG_ENGLISH} "The speech engine vlsapi.dll could not be registered."
LangString RolledBack ${LANG_RUSSIAN} "Установка отменена: всё, что она изменила, возвращено как было."
LangString RolledBack ${LANG_UKRAINIAN} "Встановлення скасовано: усе, що воно змінило, повернуто як було."
LangString RolledBack ${LANG_ENGLISH} "The installation was cancelled: everything it changed is as it was before."

; The macro ForEachVoice: calls MACRO with the name, language code and gender
; of each voice. Made by the build from the package's languages.
!include "${VOICE_TOKENS_NSH}"

; A voice token as the speech runtime and the engine read it.
!macro WriteVoiceToken VOICE LANGUAGE GENDER
  DeleteRegKey HKLM "${TOKENS_KEY}\${VOICE}"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}" "" "${VOICE}"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}" "CLSID" "${CLASS_ID}"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}\Attributes" "Language" "${LANGUAGE}"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}\Attributes" "Name" "${VOICE}"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}\Attributes" "Gender" "${GENDER}"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}\Attributes" "Age" "Adult"
  WriteRegStr HKLM "${TOKENS_KEY}\${VOICE}\Attributes" "Vendor" "${VENDOR}"
!macroend

!macro RemoveVoiceToken VOICE LANGUAGE GENDER
  DeleteRegKey HKLM "${TOKENS_KEY}\${VOICE}"
!macroend

; Calls MACRO with the built file and the installed name (in the program
; folder) of each file of the package but the uninstaller.
!macro ForEachFile MACRO
  !insertmacro ${MACRO} "${VLSAPI_DLL}" vlsapi.dll
  !insertmacro ${MACRO} "${VELNOR_DLL}" velnor.dll
  !insertmacro ${MACRO} "${VELNOR_VOICE}" velnor.voice
  !insertmacro ${MACRO} "${VLDICT_DLL}" vldict.dll
  !insertmacro ${MACRO} "${LEXDB_DLL}" lexdb.dll
  !insertmacro ${MACRO} "${VLCONF_EXE}" vlconf.exe
  !insertmacro ${MACRO} "${DICT_DAT}" dict.dat
  !insertmacro ${MACRO} "${NOTICES_TXT}" THIRD-PARTY-NOTICES.txt
  !insertmacro ${MACRO} "${GUIDE_HTML}" docs\Russian.html
!macroend

; The same for the files of the 64-bit clients.
!macro ForEach64BitFile MACRO
  !insertmacro ${MACRO} "${VLSAPI64_DLL}" vlsapi64.dll
  !insertmacro ${MACRO} "${VLSAPIHOST_EXE}" vlsapihost.exe
!macroend

; An earlier installation's file, kept aside until this one has succeeded.
!macro KeepPrevious SOURCE NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    CopyFiles /SILENT "$INSTDIR\${NAME}" "$PLUGINSDIR\previous\${NAME}"
  ${EndIf}
!macroend

; Takes this installation's file away and puts the earlier one back, if any.
!macro PutBackPrevious SOURCE NAME
  Delete /REBOOTOK "$INSTDIR\${NAME}"
  ${If} ${FileExists} "$PLUGINSDIR\previous\${NAME}"
    CopyFiles /SILENT "$PLUGINSDIR\previous\${NAME}" "$INSTDIR\${NAME}"
  ${EndIf}
!macroend

; Puts SOURCE into the current output folder as NAME. A DLL that a running
; speech client has loaded cannot be overwritten but can be renamed: it is moved
; aside under a fresh name and deleted at the next restart.
!macro PutFile SOURCE NAME
  Delete "$OUTDIR\${NAME}"
  ${If} ${FileExists} "$OUTDIR\${NAME}"
    GetTempFileName $0 "$OUTDIR"
    Delete "$0"
    Rename "$OUTDIR\${NAME}" "$0"
    Delete /REBOOTOK "$0"
  ${EndIf}
  File "/oname=${NAME}" "${SOURCE}"
!macroend

Var Placed64  ; 1 once this installation's 64-bit files are in place

Function .onInit
  SetRegView 32
FunctionEnd

; After a failed registration: the registrations that name this installation's
; engines go, the earlier installation's files come back and are registered
; again; without an earlier installation, its tokens, uninstall entry,
; dictionary value and program folder go too.
Function RollBack
  ${If} $Placed64 == 1
    SetRegView 64
    ReadRegStr $1 HKLM "Software\Classes\CLSID\${CLASS_ID}\InProcServer32" ""
    ${If} $1 == "$INSTDIR\vlsapi64.dll"
      DeleteRegKey HKLM "Software\Classes\CLSID\${CLASS_ID}"
    ${EndIf}
    !insertmacro ForEach64BitFile PutBackPrevious
    ${If} ${FileExists} "$INSTDIR\vlsapi64.dll"
      ${DisableX64FSRedirection}
      ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\vlsapi64.dll"'
      ${EnableX64FSRedirection}
    ${EndIf}
    SetRegView 32
  ${EndIf}
  ReadRegStr $1 HKLM "Software\Classes\CLSID\${CLASS_ID}\InProcServer32" ""
  ${If} $1 == "$INSTDIR\vlsapi.dll"
    DeleteRegKey HKLM "Software\Classes\CLSID\${CLASS_ID}"
  ${EndIf}
  !insertmacro ForEachFile PutBackPrevious
  ${If} ${FileExists} "$INSTDIR\vlsapi.dll"
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\vlsapi.dll"'
  ${Else}
    !insertmacro ForEachVoice RemoveVoiceToken
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ReadRegStr $1 HKLM "${DICT_KEY}" "db"
    ${If} $1 == "$INSTDIR\dict.dat"
      DeleteRegValue HKLM "${DICT_KEY}" "db"
      DeleteRegKey /ifempty HKLM "${DICT_KEY}"
      DeleteRegKey /ifempty HKLM "${PACKAGE_KEY}"
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
    SetOutPath "$TEMP"
    RMDir "$INSTDIR\docs"
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

; The user whose desktop this is: $R9 := a primary token of the desktop shell's
; process, or 0 when there is none to be had (no shell, or not allowed). An
; installation elevated with an administrator's credentials over a user's
; session runs as the administrator; what it does for the user takes this token.
Function OpenDesktopUserToken
  StrCpy $R9 0
  System::Call 'user32::GetShellWindow() p .r1'
  ${If} $1 P<> 0
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
    ; PROCESS_QUERY_LIMITED_INFORMATION; TOKEN_DUPLICATE | TOKEN_QUERY.
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r2) p .r3'
    ${If} $3 P<> 0
      System::Call 'advapi32::OpenProcessToken(p r3, i 0xA, *p .r4) i .r5'
      ${If} $5 <> 0
        ; A primary token that may be assigned, impersonated and queried.
        System::Call 'advapi32::DuplicateTokenEx(p r4, i 0x18F, p 0, i 2, i 1, *p .R9)'
        System::Call 'kernel32::CloseHandle(p r4)'
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
  ${EndIf}
FunctionEnd

; The user's data folder, made as the user (so the user owns it) and in the
; user's application-data folder; the installer's own when there is no desktop
; user's token. The configurer writes into it but does not make it (the engine
; does, at its first voice set-up): made for the configurer's first start.
Function MakeUserDataFolder
  Call OpenDesktopUserToken
  StrCpy $6 ""
  ${If} $R9 P<> 0
    ; CSIDL_APPDATA of the token's user.
    System::Call 'shell32::SHGetFolderPathW(p 0, i 0x1A, p R9, i 0, w .r6) i .r7'
    ${If} $7 = 0
      System::Call 'advapi32::ImpersonateLoggedOnUser(p R9) i .r8'
      ${If} $8 <> 0
        CreateDirectory "$6\VelnorSAPI"
        System::Call 'advapi32::RevertToSelf()'
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R9)'
  ${EndIf}
  ${IfNot} ${FileExists} "$6\VelnorSAPI\*.*"
    SetShellVarContext current
    CreateDirectory "$APPDATA\VelnorSAPI"
  ${EndIf}
FunctionEnd

; The configurer's first start, as the desktop's user and not elevated: its
; settings and dictionaries are the user's, and the reload signal it creates
; must reach the user's engines. Without the desktop user's token it starts as
; the installer's own user.
Function RunConfigurerAsUser
  Call OpenDesktopUserToken
  StrCpy $0 0
  ${If} $R9 P<> 0
    StrCpy $4 "$INSTDIR\vlconf.exe"
    StrCpy $5 '"$INSTDIR\vlconf.exe" -runaftersetup'
    StrCpy $6 "$INSTDIR"
    ; STARTUPINFOW (68 bytes, its size first) and PROCESS_INFORMATION (16 bytes), zeroed.
    System::Alloc 68
    Pop $1
    System::Call '*$1(i 68)'
    System::Alloc 16
    Pop $2
    System::Call 'advapi32::CreateProcessWithTokenW(p R9, i 0, w r4, w r5, i 0, p 0, w r6, p r1, p r2) i .r0'
    ${If} $0 <> 0
      System::Call '*$2(p .r7, p .r8)'
      System::Call 'kernel32::CloseHandle(p r7)'
      System::Call 'kernel32::CloseHandle(p r8)'
    ${EndIf}
    System::Free $1
    System::Free $2
    System::Call 'kernel32::CloseHandle(p R9)'
  ${EndIf}
  ${If} $0 = 0
    Exec '"$INSTDIR\vlconf.exe" -runaftersetup'
  ${EndIf}
FunctionEnd

Section "Velnor SAPI"
  SetRegView 32
  InitPluginsDir
  CreateDirectory "$PLUGINSDIR\previous\docs"
  !insertmacro ForEachFile KeepPrevious
  !insertmacro ForEach64BitFile KeepPrevious
  CreateDirectory "$INSTDIR\docs"
  SetOutPath "$INSTDIR"
  !insertmacro ForEachFile PutFile

  ; The 32-bit regsvr32 (the system folder of a 32-bit process is the 32-bit one).
  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\vlsapi.dll"' $0
  ${If} $0 != 0
    Call RollBack
    DetailPrint "$(RegisterFailed) (regsvr32: $0) $(RolledBack)"
    MessageBox MB_OK|MB_ICONSTOP "$(RegisterFailed) (regsvr32: $0)$\r$\n$(RolledBack)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"
  !insertmacro ForEachVoice WriteVoiceToken
  ; The uninstaller leaves it with the user's files.
  Call MakeUserDataFolder

  ; The shipped stress dictionary, unless the user has one of their own.
  SetShellVarContext current
  ReadRegStr $0 HKLM "${DICT_KEY}" "db"
  ${If} $0 == "$INSTDIR\dict.dat"
  ${OrIf} $0 == ""
    ${IfNot} ${FileExists} "$APPDATA\VelnorSAPI\dict.dat"
      WriteRegStr HKLM "${DICT_KEY}" "db" "$INSTDIR\dict.dat"
    ${EndIf}
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; ---- 64-bit clients (64-bit Windows only) --------------------------------
; vlsapi64.dll, which 64-bit speech clients load, and vlsapihost.exe, the
; 32-bit host it starts, sit beside velnor.dll. The class is registered in the
; 64-bit view under the same id, and the eight tokens are written there too.
Section "-64-bit clients"
  ${If} ${RunningX64}
    SetOutPath "$INSTDIR"
    StrCpy $Placed64 1
    !insertmacro ForEach64BitFile PutFile
    ; The 64-bit regsvr32, which writes the 64-bit view.
    ${DisableX64FSRedirection}
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\vlsapi64.dll"' $0
    ${EnableX64FSRedirection}
    ${If} $0 != 0
      Call RollBack
      DetailPrint "$(RegisterFailed) (vlsapi64.dll, $0) $(RolledBack)"
      MessageBox MB_OK|MB_ICONSTOP "$(RegisterFailed) (vlsapi64.dll, $0)$\r$\n$(RolledBack)" /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
    SetRegView 64
    !insertmacro ForEachVoice WriteVoiceToken
    SetRegView 32
  ${EndIf}
SectionEnd

Section "-un.64-bit clients"
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\vlsapi64.dll"'
    ${EnableX64FSRedirection}
    SetRegView 64
    ReadRegStr $0 HKLM "Software\Classes\CLSID\${CLASS_ID}\InProcServer32" ""
    ${If} $0 == "$INSTDIR\vlsapi64.dll"
      DeleteRegKey HKLM "Software\Classes\CLSID\${CLASS_ID}"
    ${EndIf}
    !insertmacro ForEachVoice RemoveVoiceToken
    SetRegView 32
    Delete /REBOOTOK "$INSTDIR\vlsapi64.dll"
    Delete /REBOOTOK "$INSTDIR\vlsapihost.exe"
  ${EndIf}
SectionEnd
; ---- end of the 64-bit clients -------------------------------------------

; With an existing settings file the configurer ends at once; on a first
; installation it greets the user, writes the defaults and opens its window.
Function .onInstSuccess
  ${IfNot} ${Silent}
    Call RunConfigurerAsUser
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 32
FunctionEnd

Section "Uninstall"
  SetRegView 32
  ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\vlsapi.dll"'
  ; Should the DLL have been missing, the class key is removed here, but only
  ; when it still points at this installation.
  ReadRegStr $0 HKLM "Software\Classes\CLSID\${CLASS_ID}\InProcServer32" ""
  ${If} $0 == "$INSTDIR\vlsapi.dll"
    DeleteRegKey HKLM "Software\Classes\CLSID\${CLASS_ID}"
  ${EndIf}
  !insertmacro ForEachVoice RemoveVoiceToken

  Delete /REBOOTOK "$INSTDIR\vlsapi.dll"
  Delete /REBOOTOK "$INSTDIR\velnor.dll"
  Delete /REBOOTOK "$INSTDIR\velnor.voice"
  Delete /REBOOTOK "$INSTDIR\vldict.dll"
  Delete /REBOOTOK "$INSTDIR\lexdb.dll"
  Delete /REBOOTOK "$INSTDIR\vlconf.exe"
  Delete /REBOOTOK "$INSTDIR\dict.dat"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  ReadRegStr $0 HKLM "${DICT_KEY}" "db"
  ${If} $0 == "$INSTDIR\dict.dat"
    DeleteRegValue HKLM "${DICT_KEY}" "db"
    DeleteRegKey /ifempty HKLM "${DICT_KEY}"
    DeleteRegKey /ifempty HKLM "${PACKAGE_KEY}"
  ${EndIf}
  Delete "$INSTDIR\docs\Russian.html"
  RMDir "$INSTDIR\docs"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
