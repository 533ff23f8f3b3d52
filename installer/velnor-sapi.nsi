; The Windows package of Velnor SAPI: the voice engine with the reference
; synthesis engine, the configurer with its guide, the stress dictionary
; library with its database library, the engine's COM class and the eight voice
; tokens, and an uninstaller that takes all of them away again. The user's
; application-data folder (settings and dictionaries) is never touched, so an
; upgrade or a reinstallation keeps it.
;
; Built by installer/CMakeLists.txt, which passes with -D: VERSION (x.y.z),
; OUTFILE, and the path of each file to install: VLSAPI_DLL, VELNOR_DLL,
; VLCONF_EXE, GUIDE_HTML, VLDICT_DLL, LEXDB_DLL, and for 64-bit Windows
; VLSAPI64_DLL and VLSAPIHOST_EXE.
;
; Silent mode (/S) asks nothing and does not start the configurer: on a first
; installation the configurer greets the user with a message box, which nobody
; would answer. The engine writes the default settings at its first voice
; set-up, and the configurer writes its own files when it is first started.

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

; Calls MACRO with the name, language code and gender of each of the eight voices.
!macro ForEachVoice MACRO
  !insertmacro ${MACRO} Velnor_Male1_Russian 419 Male
  !insertmacro ${MACRO} Velnor_Female1_Russian 419 Female
  !insertmacro ${MACRO} Velnor_Male2_Russian 419 Male
  !insertmacro ${MACRO} Velnor_Female2_Russian 419 Female
  !insertmacro ${MACRO} Velnor_Male1_Ukrainian 422 Male
  !insertmacro ${MACRO} Velnor_Female1_Ukrainian 422 Female
  !insertmacro ${MACRO} Velnor_Male2_Ukrainian 422 Male
  !insertmacro ${MACRO} Velnor_Female2_Ukrainian 422 Female
!macroend

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

Function .onInit
  SetRegView 32
FunctionEnd

Section "Velnor SAPI"
  SetRegView 32
  SetOutPath "$INSTDIR"
  !insertmacro PutFile "${VLSAPI_DLL}" vlsapi.dll
  !insertmacro PutFile "${VELNOR_DLL}" velnor.dll
  !insertmacro PutFile "${VLDICT_DLL}" vldict.dll
  !insertmacro PutFile "${LEXDB_DLL}" lexdb.dll
  !insertmacro PutFile "${VLCONF_EXE}" vlconf.exe
  SetOutPath "$INSTDIR\docs"
  !insertmacro PutFile "${GUIDE_HTML}" Russian.html
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The configurer writes into the user's data folder but does not make it
  ; (the engine does, at its first voice set-up): made here for the
  ; configurer's first start. The uninstaller leaves it with the user's files.
  SetShellVarContext current
  CreateDirectory "$APPDATA\VelnorSAPI"

  ; The 32-bit regsvr32 (the system folder of a 32-bit process is the 32-bit one).
  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\vlsapi.dll"' $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "$(RegisterFailed) ($0)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  !insertmacro ForEachVoice WriteVoiceToken

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
    !insertmacro PutFile "${VLSAPI64_DLL}" vlsapi64.dll
    !insertmacro PutFile "${VLSAPIHOST_EXE}" vlsapihost.exe
    ; The 64-bit regsvr32, which writes the 64-bit view.
    ${DisableX64FSRedirection}
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\vlsapi64.dll"' $0
    ${EnableX64FSRedirection}
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "$(RegisterFailed) (vlsapi64.dll, $0)" /SD IDOK
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
    Exec '"$INSTDIR\vlconf.exe" -runaftersetup'
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
  Delete /REBOOTOK "$INSTDIR\vldict.dll"
  Delete /REBOOTOK "$INSTDIR\lexdb.dll"
  Delete /REBOOTOK "$INSTDIR\vlconf.exe"
  Delete "$INSTDIR\docs\Russian.html"
  RMDir "$INSTDIR\docs"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
