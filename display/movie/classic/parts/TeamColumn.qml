// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// One team: its name plate, its points and its fouls, one above the other.
Item {
    id: team

    property string name: ""
    property string points: "000"
    property string fouls: "00"
    property color teamColour: "#1f6feb"
    property real nameHeight: 280
    property real pointsHeight: 680

    TeamName {
        width: team.width
        height: team.nameHeight
        name: team.name
        teamColour: team.teamColour
    }

    Panel {
        id: pointsPanel

        y: team.nameHeight + 40
        width: team.width
        height: team.pointsHeight
        SegmentDisplay {
            objectName: "points"
            anchors.centerIn: parent
            text: team.points
            cells: 3
            digitHeight: Math.min(parent.height * 0.8, parent.width * 0.9 / widthPerHeight)
            litColour: "#f4f2ea"
        }
    }

    Panel {
        y: pointsPanel.y + pointsPanel.height + 40
        width: team.width
        height: team.height - y
        Caption {
            anchors.verticalCenter: parent.verticalCenter
            x: parent.height * 0.3
            text: "FOULS"
        }
        SegmentDisplay {
            objectName: "fouls"
            anchors.verticalCenter: parent.verticalCenter
            anchors.right: parent.right
            anchors.rightMargin: parent.height * 0.22
            text: team.fouls
            cells: 2
            digitHeight: parent.height * 0.72
            litColour: "#ffb000"
        }
    }
}
