// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A label in white and its value in yellow on one line, on a common baseline ("FOULS 03",
// "PERIOD 2"), set to the left, the middle or the right of its width. A long value shrinks,
// then is cut short; the label keeps its size. Ink from about y + 31 to y + 97.
Item {
    id: line

    property string label: ""
    property string value: ""
    property int alignment: Text.AlignLeft

    Row {
        x: line.alignment === Text.AlignRight ? line.width - width
           : line.alignment === Text.AlignHCenter ? (line.width - width) / 2 : 0
        spacing: 26

        BigText {
            id: caption

            // On the value's baseline: the value's ink starts at 31 and is 0.729 em high.
            y: 31 + valueText.font.pixelSize * 0.729 - font.pixelSize * 0.729 - inkTop
            width: implicitWidth
            value: line.label
            font.pixelSize: 64
            fontSizeMode: Text.FixedSize
        }

        BigText {
            id: valueText

            y: 31 - inkTop
            width: Math.min(implicitWidth, line.width - caption.width - parent.spacing)
            horizontalAlignment: Text.AlignLeft
            value: line.value
            font.pixelSize: 90
            minimumPixelSize: 36
            color: "#ffee00"
        }
    }
}
