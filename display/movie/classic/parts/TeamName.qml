// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A team's name on a plate of the team's colour. A long name shrinks, down to a size that holds
// 40 characters, then is cut short with an ellipsis; it never wraps.
Rectangle {
    id: plate

    property string name: ""
    property color teamColour: "#1f6feb"

    gradient: Gradient {
        GradientStop { position: 0; color: Qt.lighter(plate.teamColour, 1.25) }
        GradientStop { position: 1; color: Qt.darker(plate.teamColour, 1.3) }
    }

    Text {
        objectName: "name"
        anchors.fill: parent
        anchors.leftMargin: plate.height * 0.28
        anchors.rightMargin: plate.height * 0.28
        // Only the first 200 characters are laid out, so that a name of any length costs no
        // more than a long one; a line break in a name shows as a space.
        text: plate.name.substring(0, 200).replace(/[\r\n\t]+/g, " ")
        textFormat: Text.PlainText
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.NoWrap
        maximumLineCount: 1
        elide: Text.ElideRight
        fontSizeMode: Text.HorizontalFit
        font.pixelSize: plate.height * 0.6
        minimumPixelSize: plate.height * 0.07
        font.family: "DejaVu Sans"
        font.bold: true
        color: "white"
        style: Text.Raised
        styleColor: Qt.darker(plate.teamColour, 2.2)
    }
}
