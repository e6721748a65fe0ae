// SPDX-License-Identifier: MIT-0
import QtQuick

// The period: "1" to "9" as the operator steps it, or whatever the operator typed ("1.5",
// "-3", "OT"), which shrinks to fit.
Rectangle {
    id: period

    property string text: "1"
    property color panelColour: "#18232f"
    property color figureColour: "white"
    property color labelColour: "#9fb0c3"

    color: panelColour

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 16
        text: "PERIOD"
        color: period.labelColour
        font.family: "DejaVu Sans"
        font.bold: true
        font.pixelSize: 44
        font.letterSpacing: 6
    }

    ValueText {
        anchors.horizontalCenter: parent.horizontalCenter
        y: 70
        width: parent.width - 40
        value: period.text
        font.pixelSize: 150
        minimumPixelSize: 40
        color: period.figureColour
    }
}
