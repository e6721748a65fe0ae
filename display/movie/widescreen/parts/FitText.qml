// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// One line of a board value in its box, exactly as sent: it shrinks to the box's width down to
// minimumPixelSize, then is cut short with an ellipsis. Only the first 100 characters are laid
// out, so that a value as long as a field holds (32,767 characters) costs no more than a long
// name; a line break or tab shows as a space.
Text {
    property string value: ""

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
