// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// One bar of a seven-segment digit, lying along x and pointed at both ends: a body with a
// square turned on its corner at each end. Turn the item by 90 degrees for an upright bar.
Item {
    id: bar

    property real length: 100
    property real thickness: 20
    property color colour: "white"

    width: length
    height: thickness

    Rectangle {
        x: bar.thickness / 2
        width: bar.length - bar.thickness
        height: bar.thickness
        antialiasing: true
        color: bar.colour
    }
    Rectangle {
        x: bar.thickness / 2 - width / 2
        y: bar.thickness / 2 - height / 2
        width: bar.thickness / Math.SQRT2
        height: width
        rotation: 45
        antialiasing: true
        color: bar.colour
    }
    Rectangle {
        x: bar.length - bar.thickness / 2 - width / 2
        y: bar.thickness / 2 - height / 2
        width: bar.thickness / Math.SQRT2
        height: width
        rotation: 45
        antialiasing: true
        color: bar.colour
    }
}
