; SPDX-License-Identifier: GPL-3.0-or-later
; The installer's own pages and words (included by CPack's NSIS script, cmake/windows/Packaging.cmake):
; the welcome, the licence to read, and "Start Brevanto" on the last page, ticked. The pictures
; are the artwork's (CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP, CPACK_NSIS_MUI_HEADERIMAGE).
;
; Needs BREVANTO_LICENCE, the licence's text.

; Instead of the installer system's own name at the foot of each page. (CPack's own setting for
; it trims the text, which makensis refuses outside Windows.)
BrandingText "Brevanto ${VERSION}"

; The welcome page is an InstallOptions page: its line breaks are written \r\n.
!define MUI_WELCOMEPAGE_TEXT "This installs Brevanto, the scoreboard, for everyone who uses this PC.\r\n\r\nOn the way you choose the board the audience sees; run this installer again to choose another.\r\n\r\nClick Next to continue."

!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Brevanto"
!define MUI_FINISHPAGE_RUN_FUNCTION BrevantoStart

; The GPL asks nobody to accept it to install or run the program: the page shows it to read, and
; its button goes on as Next does.
!macro BrevantoLicencePage
  !define MUI_PAGE_HEADER_TEXT "Licence"
  !define MUI_PAGE_HEADER_SUBTEXT "Brevanto is free software."
  !define MUI_LICENSEPAGE_TEXT_TOP "The GNU General Public License, version 3 or later:"
  !define MUI_LICENSEPAGE_TEXT_BOTTOM "You need not accept this licence to install or use Brevanto. It says what you may do when you pass Brevanto on or change it."
  !define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
  !insertmacro MUI_PAGE_LICENSE "${BREVANTO_LICENCE}"
!macroend

; Brevanto plays boards that anyone may write, so it runs as the signed-in user, not as the
; administrator the installer runs as: the shell, which runs as that user, starts it.
Function BrevantoStart
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\brevanto.exe"'
FunctionEnd
