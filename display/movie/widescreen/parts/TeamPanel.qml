// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// One team: its name on a plate of the team's colour, its points, and its fouls, one above the
// other.
Item {
    id: team

    property string name: ""
    property string points: "000"
    property string fouls: "00"
    property color teamColour: "#1d6fe0"

    NamePlate {
        width: team.width
        height: 110
        name: team.name
        teamColour: team.teamColour
    }

    Panel {
        y: 126
        width: team.width
        height: 250

        FitText {
            anchors.centerIn: parent
            width: parent.width - 60
            value: team.points
            font.pixelSize: 236
            minimumPixelSize: 60
            color: "#f5f3ec"
        }
    }

    Panel {
        y: 392
        width: team.width
        height: team.height - y

        Caption {
            anchors.verticalCenter: parent.verticalCenter
            x: 36
            text: "FOULS"
        }
        FitText {
            anchors.verticalCenter: parent.verticalCenter
            anchors.right: parent.right
            anchors.rightMargin: 36
            width: 220
            horizontalAlignment: Text.AlignRight
            value: team.fouls
            font.pixelSize: 80
            minimumPixelSize: 30
            color: "#ffb300"
        }
    }
}
