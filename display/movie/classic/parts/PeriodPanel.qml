// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The period, in green between the two teams: its caption level with the teams' name plates,
// its digit level with their points.
Item {
    id: period

    property string text: "1"
    property real nameHeight: 280
    property real pointsHeight: 680

    Caption {
        anchors.horizontalCenter: parent.horizontalCenter
        y: (period.nameHeight - height) / 2
        text: "PERIOD"
    }

    Panel {
        y: period.nameHeight + 40
        width: period.width
        height: period.pointsHeight

        SegmentDisplay {
            objectName: "digits"
            anchors.centerIn: parent
            text: period.text
            maximumCells: 2
            digitHeight: Math.min(parent.height * 0.8, parent.width * 0.84 / widthPerHeight)
            litColour: "#3ddc84"
        }
    }
}
