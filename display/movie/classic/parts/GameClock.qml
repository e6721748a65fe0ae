// SPDX-License-Identifier: GPL-3.0-or-later
// The game clock, the largest figure of the board: amber while minutes remain, red in the last
// minute, when it counts tenths ("59.9") down to "0.0".
Panel {
    id: panel

    property string text: "0:00"
    readonly property bool lastMinute: text.indexOf(".") >= 0

    SegmentDisplay {
        id: digits

        objectName: "digits"
        anchors.centerIn: parent
        text: panel.text
        maximumCells: 8
        // As large as the panel allows, smaller only for a clock of many minutes.
        digitHeight: Math.min(panel.height * 0.74, panel.width * 0.92 / widthPerHeight)
        litColour: panel.lastMinute ? "#ff3b30" : "#ffb000"
    }
}
