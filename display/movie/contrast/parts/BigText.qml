// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// One line of a board value in DejaVu Sans Bold, exactly as sent, in a box one line high: it
// shrinks to the box's width down to minimumPixelSize, then is cut short with an ellipsis. Only
// the first 100 characters are laid out, so that a value as long as a field holds (32,767
// characters) costs no more than a long name; a line break or tab shows as a space.
//
// The line is 1.164 em high; digits and capitals fill it from inkTop to inkBottom, so a figure
// whose ink should begin at y is placed at y - inkTop.
Text {
    property string value: ""
    readonly property real inkTop: font.pixelSize * 0.199
    readonly property real inkBottom: font.pixelSize * 0.928

    height: Math.ceil(font.pixelSize * 1.164)
    text: value.substring(0, 100).replace(/[\r\n\t]+/g, " ")
    textFormat: Text.PlainText
    wrapMode: Text.NoWrap
    maximumLineCount: 1
    elide: Text.ElideRight
    fontSizeMode: Text.HorizontalFit
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    font.family: "DejaVu Sans"
    font.bold: true
    color: "white"
}
