// SPDX-License-Identifier: GPL-3.0-or-later


// The game clock, the largest figure: amber while minutes remain ("7:42"), red in the last
// minute, when it shows seconds and tenths ("59.9") down to "0.0". The widest clock the program
// sends, "101:40", fits at full size.
Panel {
    id: panel

    property string text: "0.0"
    readonly property bool lastMinute: text.indexOf(".") >= 0

    FitText {
        anchors.centerIn: parent
        width: parent.width - 80
        value: panel.text
        font.pixelSize: 470
        minimumPixelSize: 120
        color: panel.lastMinute ? "#ff4a3d" : "#ffb300"
    }
}
