// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A quiet label of the board ("PERIOD", "FOULS"): spaced capitals in grey-blue.
Text {
    textFormat: Text.PlainText
    color: "#8d9bb8"
    font.family: "DejaVu Sans"
    font.bold: true
    font.pixelSize: 44
    font.letterSpacing: 8
}
