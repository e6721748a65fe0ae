// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// One team: its name in white, and its points in white below it, as large as three digits fit
// the team's half with room at both sides. Ink from about y + 22 to y + 412.
Item {
    id: team

    property string name: ""
    property string points: "000"

    BigText {
        y: 22 - inkTop
        width: team.width
        value: team.name
        font.pixelSize: 84
        minimumPixelSize: 18
    }

    BigText {
        y: 120 - inkTop
        width: team.width
        value: team.points
        font.pixelSize: 400
        minimumPixelSize: 120
    }
}
