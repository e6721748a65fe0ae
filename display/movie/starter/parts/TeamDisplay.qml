// SPDX-License-Identifier: MIT-0
import QtQuick

// One team: its name on a bar of the team's colour, its points below, its fouls at the foot.
// Points come as three characters ("045"), fouls as two ("03"); they are shown as they come.
Item {
    id: team

    property string name: ""
    property string points: "000"
    property string fouls: "00"
    property color teamColour: "#2a7de1"
    property color panelColour: "#18232f"
    property color figureColour: "white"
    property color labelColour: "#9fb0c3"

    // The name. Until the operator first presses a key or Set it is empty: the bar shows alone.
    Rectangle {
        width: team.width
        height: 100
        color: team.teamColour

        ValueText {
            anchors.centerIn: parent
            width: parent.width - 40
            value: team.name
            font.pixelSize: 64
            minimumPixelSize: 14
            color: "white"
        }
    }

    // The points.
    Rectangle {
        y: 116
        width: team.width
        height: 300
        color: team.panelColour

        ValueText {
            anchors.centerIn: parent
            width: parent.width - 60
            value: team.points
            font.pixelSize: 250
            minimumPixelSize: 60
            color: team.figureColour
        }
    }

    // The fouls, with their label.
    Rectangle {
        y: 432
        width: team.width
        height: team.height - y
        color: team.panelColour

        Text {
            anchors.verticalCenter: parent.verticalCenter
            x: 36
            text: "FOULS"
            color: team.labelColour
            font.family: "DejaVu Sans"
            font.bold: true
            font.pixelSize: 44
            font.letterSpacing: 6
        }
        ValueText {
            anchors.verticalCenter: parent.verticalCenter
            anchors.right: parent.right
            anchors.rightMargin: 36
            width: 240
            horizontalAlignment: Text.AlignRight
            value: team.fouls
            font.pixelSize: 90
            minimumPixelSize: 30
            color: team.figureColour
        }
    }
}
