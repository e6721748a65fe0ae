; SPDX-License-Identifier: GPL-3.0-or-later
; The board in the Windows installer (included by CPack's NSIS script, cmake/windows/Packaging.cmake):
; the board chosen from the gallery on a page of its own, which shows the gallery's picture of
; it, or with /BOARD=NAME, put in place as brevanto.dll with its parts beside it; a board the
; club has put there itself (a brevanto.dll that is none of the gallery's) is kept; and the
; uninstaller takes away only the files of a gallery board that are still as it put them.
;
; Needs gallery.nsh (made by the build): BREVANTO_DEFAULT_BOARD, BREVANTO_BOARD_PICTURES (a
; folder of NAME.bmp, one per board) and the macro BrevantoForEachBoard MACRO, which inserts
; MACRO "NAME" for each board of the gallery.

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"

Var BrevantoBoard
Var BrevantoKeepBoard
Var BrevantoBoardList
Var BrevantoBoardPicture
Var BrevantoBoardImage

; --- Which board ------------------------------------------------------------------------------

!macro BrevantoIfGalleryBoard NAME
  ${If} $BrevantoBoard == "${NAME}"
    StrCpy $0 1
  ${EndIf}
!macroend

; Sets BrevantoBoard, once: from /BOARD=NAME, else the default board. A name that is not in the
; gallery ends the installer (exit code 2) before anything is installed.
Function BrevantoChooseBoard
  ${If} $BrevantoBoard != ""
    Return
  ${EndIf}
  Push $0
  Push $1
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/BOARD=" $BrevantoBoard
  ${If} ${Errors}
  ${OrIf} $BrevantoBoard == ""
    StrCpy $BrevantoBoard "${BREVANTO_DEFAULT_BOARD}"
  ${EndIf}
  StrCpy $0 0
  !insertmacro BrevantoForEachBoard BrevantoIfGalleryBoard
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONSTOP "There is no board named $\"$BrevantoBoard$\" in the gallery." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

!macro BrevantoListBoard NAME
  ${NSD_CB_AddString} $BrevantoBoardList "${NAME}"
!macroend

!macro BrevantoUnpackBoardPicture NAME
  File "/oname=$PLUGINSDIR\board-${NAME}.bmp" "${BREVANTO_BOARD_PICTURES}/${NAME}.bmp"
!macroend

Function BrevantoBoardPage
  Call BrevantoChooseBoard
  !insertmacro MUI_HEADER_TEXT "Board" "Choose the board the audience sees."
  InitPluginsDir
  !insertmacro BrevantoForEachBoard BrevantoUnpackBoardPicture
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "The gallery's boards are installed in the folder boards; the one chosen here is shown. A board of your own that is already in place (a brevanto.dll that is none of the gallery's) is kept."
  Pop $0
  ${NSD_CreateDropList} 0 48u 36% 80u ""
  Pop $BrevantoBoardList
  !insertmacro BrevantoForEachBoard BrevantoListBoard
  ${NSD_CB_SelectString} $BrevantoBoardList $BrevantoBoard
  ; At the picture's own size, which the build gave it.
  ${NSD_CreateBitmap} 40% 48u 0 0 ""
  Pop $BrevantoBoardPicture
  ${NSD_OnChange} $BrevantoBoardList BrevantoShowBoardPicture
  Push $BrevantoBoardList
  Call BrevantoShowBoardPicture
  ${NSD_SetFocus} $BrevantoBoardList
  nsDialogs::Show
  ${NSD_FreeImage} $BrevantoBoardImage
FunctionEnd

; The picture of the board the list shows (the list is on the stack, as a change pushes it).
Function BrevantoShowBoardPicture
  Pop $0
  ${NSD_GetText} $0 $0
  StrCpy $1 $BrevantoBoardImage
  ${NSD_SetImage} $BrevantoBoardPicture "$PLUGINSDIR\board-$0.bmp" $BrevantoBoardImage
  ${NSD_FreeImage} $1
FunctionEnd

Function BrevantoBoardPageLeave
  ${NSD_GetText} $BrevantoBoardList $BrevantoBoard
FunctionEnd

; --- The board's files, for the installer and the uninstaller ---------------------------------

!macro BrevantoBoardFunctions UN
; Pushes 1 when the two files (pushed before the call) hold the same bytes, else 0.
Function ${UN}BrevantoSameFile
  Exch $1 ; the second file
  Exch
  Exch $0 ; the first file
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrCpy $6 0
  ClearErrors
  FileOpen $2 $0 r
  ${IfNot} ${Errors}
    FileOpen $3 $1 r
    ${IfNot} ${Errors}
      FileSeek $2 0 END $4
      FileSeek $3 0 END $5
      ${If} $4 == $5
        FileSeek $2 0 SET
        FileSeek $3 0 SET
        StrCpy $6 1
        ${Do}
          ClearErrors
          FileReadByte $2 $4
          ${If} ${Errors}
            ${ExitDo}
          ${EndIf}
          FileReadByte $3 $5
          ${If} $4 != $5
            StrCpy $6 0
            ${ExitDo}
          ${EndIf}
        ${Loop}
      ${EndIf}
      FileClose $3
    ${EndIf}
    FileClose $2
  ${EndIf}
  StrCpy $1 $6
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $0
  Exch $1
FunctionEnd

; Pushes the name of the gallery board (as the folder boards holds it now) whose movie
; brevanto.dll is, or "" when it is none of them or there is none.
Function ${UN}BrevantoPlacedBoard
  Push $0
  Push $1
  Push $2
  StrCpy $2 ""
  ${If} ${FileExists} "$INSTDIR\brevanto.dll"
    FindFirst $0 $1 "$INSTDIR\boards\*"
    ${DoWhile} $1 != ""
      ${If} ${FileExists} "$INSTDIR\boards\$1\board.qml"
        Push "$INSTDIR\brevanto.dll"
        Push "$INSTDIR\boards\$1\board.qml"
        Call ${UN}BrevantoSameFile
        Pop $2
        ${If} $2 == 1
          StrCpy $2 $1
          ${ExitDo}
        ${EndIf}
        StrCpy $2 ""
      ${EndIf}
      FindNext $0 $1
    ${Loop}
    FindClose $0
  ${EndIf}
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Takes away the gallery board named on the stack from beside the program: brevanto.dll, and each
; file of its parts that is still the gallery's; a file changed or added there stays.
Function ${UN}BrevantoRemoveBoard
  Exch $0
  Push $1
  Push $2
  Push $3
  Delete "$INSTDIR\brevanto.dll"
  FindFirst $1 $2 "$INSTDIR\boards\$0\parts\*"
  ${DoWhile} $2 != ""
    ${If} ${FileExists} "$INSTDIR\parts\$2"
    ${AndIfNot} ${FileExists} "$INSTDIR\parts\$2\*.*"
      Push "$INSTDIR\parts\$2"
      Push "$INSTDIR\boards\$0\parts\$2"
      Call ${UN}BrevantoSameFile
      Pop $3
      ${If} $3 == 1
        Delete "$INSTDIR\parts\$2"
      ${EndIf}
    ${EndIf}
    FindNext $1 $2
  ${Loop}
  FindClose $1
  RMDir "$INSTDIR\parts"
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro BrevantoBoardFunctions ""
!insertmacro BrevantoBoardFunctions "un."

; --- The steps, called by CPack's install and uninstall sections ------------------------------

; Before the files: the board chosen, and the board in place looked at while the old gallery (if
; any) is still there. One of the gallery's goes, to be replaced; one of the club's stays.
Function BrevantoBeforeFiles
  Call BrevantoChooseBoard
  StrCpy $BrevantoKeepBoard 0
  ${If} ${FileExists} "$INSTDIR\brevanto.dll"
    Call BrevantoPlacedBoard
    Pop $0
    ${If} $0 == ""
      StrCpy $BrevantoKeepBoard 1
    ${Else}
      Push $0
      Call BrevantoRemoveBoard
    ${EndIf}
  ${EndIf}
FunctionEnd

; After the files: the chosen board from the gallery beside the program, unless the club's stays.
Function BrevantoPlaceBoard
  ${If} $BrevantoKeepBoard == 1
    DetailPrint "The board in place is kept: its brevanto.dll is none of the gallery's."
    Return
  ${EndIf}
  DetailPrint "Board: $BrevantoBoard"
  CopyFiles /SILENT "$INSTDIR\boards\$BrevantoBoard\board.qml" "$INSTDIR\brevanto.dll"
  ${If} ${FileExists} "$INSTDIR\boards\$BrevantoBoard\parts\*.*"
    CreateDirectory "$INSTDIR\parts"
    CopyFiles /SILENT "$INSTDIR\boards\$BrevantoBoard\parts\*.*" "$INSTDIR\parts"
  ${EndIf}
FunctionEnd

; Before the installed files go, while the gallery is there to compare with.
Function un.BrevantoRemovePlacedBoard
  Call un.BrevantoPlacedBoard
  Pop $0
  ${If} $0 != ""
    Push $0
    Call un.BrevantoRemoveBoard
  ${EndIf}
FunctionEnd
