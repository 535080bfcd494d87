; The Windows installer of Ortix, built by the target paquet_windows
; (packaging/windows/Paquet.cmake) with makensis, from the folder it has gathered:
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DDOSSIER=folder -DLISTES=folder
;            -DICONE=ortix.ico -DSORTIE=installer.exe ortix.nsi
; LISTES holds poser.nsh and retirer.nsh (Listes.cmake): every file of the folder,
; so that the uninstaller removes exactly what was installed.
; Per user (no administrator needed) or for all users; a Start-menu entry; the
; ".ortix" projects opened by ortix.exe (« Projet Ortix », with the icon); an
; uninstaller that takes all of it away again. Silent with /S; /CurrentUser or
; /AllUsers chooses the mode without asking.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define NOM "Ortix"
!define EDITEUR "Ortix"
!define TYPE "Ortix.Projet"
!define DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ortix"
; The installer's own key, apart from the window's settings (Software\Ortix\Ortix).
!define CLE "Software\Ortix\Installation"

Name "${NOM} ${VERSION}"
OutFile "${SORTIE}"
BrandingText "${NOM} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NOM}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${CLE}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "Dossier"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${CLE}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "Mode"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Votre compte n'a pas les droits nécessaires pour installer $(^Name) pour tous les utilisateurs de cet ordinateur."
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "Ortix peut être installé pour vous seul, sans droits d'administrateur, ou pour tous les utilisateurs de cet ordinateur."
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "Pour tous les utilisateurs de cet ordinateur"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Pour moi seulement"
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Type d'installation"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "Pour qui installer $(^NameDA) ?"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_ABORTWARNING
!define MUI_LICENSEPAGE_TEXT_TOP "Ce qu'Ortix contient, et les licences de ce qu'il distribue :"
!define MUI_LICENSEPAGE_BUTTON "&Suivant >"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Les textes des licences sont installés dans le dossier « licences »."
!define MUI_FINISHPAGE_RUN "$INSTDIR\ortix.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${DOSSIER}/LISEZMOI.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "${NOM}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "Installation d'Ortix"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "${EDITEUR}"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "Voir LISEZMOI.txt"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Ortix"
  !include "${LISTES}/poser.nsh"
  WriteUninstaller "$INSTDIR\desinstaller.exe"

  ; Where and how it was installed, read back by a later installer and by the
  ; uninstaller (SHCTX: HKLM for all users, HKCU for one).
  WriteRegStr SHCTX "${CLE}" "Dossier" "$INSTDIR"
  WriteRegStr SHCTX "${CLE}" "Mode" "$MultiUser.InstallMode"

  ; The Start-menu entry. Ortix keeps its settings (ortix.ini) in its working
  ; folder: the user's documents, not the program's folder, which may be read-only.
  ; (CreateShortcut takes $OUTDIR as the working folder; set, not created.)
  StrCpy $OUTDIR "$DOCUMENTS"
  CreateShortcut "$SMPROGRAMS\${NOM}.lnk" "$INSTDIR\ortix.exe" "" "$INSTDIR\ortix.exe" 0

  ; The project files, opened by ortix.exe.
  WriteRegStr SHCTX "Software\Classes\.ortix" "" "${TYPE}"
  WriteRegStr SHCTX "Software\Classes\${TYPE}" "" "Projet Ortix"
  WriteRegStr SHCTX "Software\Classes\${TYPE}\DefaultIcon" "" "$INSTDIR\ortix.exe,0"
  WriteRegStr SHCTX "Software\Classes\${TYPE}\shell\open\command" "" '"$INSTDIR\ortix.exe" "%1"'

  ; "Apps and features" (Programmes et fonctionnalités).
  WriteRegStr SHCTX "${DESINSTALLATION}" "DisplayName" "${NOM}"
  WriteRegStr SHCTX "${DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${DESINSTALLATION}" "Publisher" "${EDITEUR}"
  WriteRegStr SHCTX "${DESINSTALLATION}" "DisplayIcon" "$INSTDIR\ortix.exe,0"
  WriteRegStr SHCTX "${DESINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${DESINSTALLATION}" "UninstallString" '"$INSTDIR\desinstaller.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\desinstaller.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD SHCTX "${DESINSTALLATION}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${DESINSTALLATION}" "EstimatedSize" $0

  ; Explorer shows the new file type at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  !include "${LISTES}/retirer.nsh"
  Delete "$INSTDIR\desinstaller.exe"
  RMDir "$INSTDIR"
  ; The per-user programs' folder, made by the install when it was missing, goes
  ; too when nothing else is left in it.
  ${If} $MultiUser.InstallMode == CurrentUser
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}

  Delete "$SMPROGRAMS\${NOM}.lnk"

  ; ".ortix" is left alone if another program has taken it since.
  ReadRegStr $0 SHCTX "Software\Classes\.ortix" ""
  ${If} $0 == "${TYPE}"
    DeleteRegKey SHCTX "Software\Classes\.ortix"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${TYPE}"
  DeleteRegKey SHCTX "${DESINSTALLATION}"
  DeleteRegKey SHCTX "${CLE}"
  DeleteRegKey /ifempty SHCTX "Software\Ortix"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
