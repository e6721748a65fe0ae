// SPDX-License-Identifier: MIT-0
import QtQuick

// One value of the board on one line, exactly as the program sent it. Use it for every value
// from `board`; it keeps any value inside its box:
//   - plain text: a name that holds "<b>" shows "<b>", it does not turn bold;
//   - only the first 100 characters are laid out: a field holds up to 32,767, and laying out
//     (and fitting) all of them would cost the board much of the time it has for a frame;
//   - a line break or tab shows as a space;
//   - too wide for the box, it shrinks down to minimumPixelSize, then ends in "...".
// Give it a width and a font.pixelSize; its height is one line of that size.
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
    // DejaVu Sans and Liberation Sans are there on every system Brevanto runs on. For a font of
    // your own, put it in parts/ and load it with FontLoader (docs/boards.md, "Fonts").
    font.family: "DejaVu Sans"
    font.bold: true
}
