// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The period between the teams: its caption level with their name plates, its panel as tall as
// their points and fouls together. A typed period ("1.5", "OT") shrinks to the panel.
Item {
    id: period

    property string text: "1"

    Caption {
        anchors.horizontalCenter: parent.horizontalCenter
        y: (110 - height) / 2
        text: "PERIOD"
    }

    Panel {
        y: 126
        width: period.width
        height: period.height - y

        FitText {
            anchors.centerIn: parent
            width: parent.width - 40
            value: period.text
            font.pixelSize: 200
            minimumPixelSize: 40
            color: "#3ddc84"
        }
    }
}
