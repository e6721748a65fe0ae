// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A quiet label of the board ("PERIOD", "FOULS"): spaced capitals in grey-blue.
Text {
    property real size: 110

    textFormat: Text.PlainText
    color: "#8e9ab2"
    font.family: "DejaVu Sans"
    font.bold: true
    font.pixelSize: size
    font.letterSpacing: size * 0.18
}
