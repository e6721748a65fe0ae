// SPDX-License-Identifier: MIT-0
import QtQuick

// The game clock. The program sends it ready to show: "7:42" while minutes remain, "59.9" in
// the last minute, "0.0" when the time is up (and before the first Set). The widest it sends is
// "101:40".
Rectangle {
    id: panel

    property string text: "0.0"
    property color panelColour: "#18232f"
    property color figureColour: "#ffc42e"
    property color lastMinuteColour: "#ff5a4a"
    // Tenths are shown only in the last minute, so a point in the text tells it.
    readonly property bool lastMinute: text.indexOf(".") >= 0

    color: panelColour

    ValueText {
        anchors.centerIn: parent
        width: parent.width - 80
        value: panel.text
        font.pixelSize: 380
        minimumPixelSize: 100
        color: panel.lastMinute ? panel.lastMinuteColour : panel.figureColour
    }
}
