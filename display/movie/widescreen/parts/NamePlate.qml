// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A team's name on a plate of the team's colour; a long name shrinks, then is cut short.
Rectangle {
    id: plate

    property string name: ""
    property color teamColour: "#1d6fe0"

    gradient: Gradient {
        GradientStop { position: 0; color: Qt.lighter(plate.teamColour, 1.2) }
        GradientStop { position: 1; color: Qt.darker(plate.teamColour, 1.35) }
    }

    FitText {
        anchors.centerIn: parent
        width: parent.width - 48
        height: parent.height
        value: plate.name
        font.pixelSize: 68
        minimumPixelSize: 14
        style: Text.Raised
        styleColor: Qt.darker(plate.teamColour, 2.2)
    }
}
