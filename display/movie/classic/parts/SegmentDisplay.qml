// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound

import QtQuick

// A row of lit characters (SegmentDigit), slanted like the digits of an arena board.
// Shows `text` right-aligned in at least `cells` places, blank places unlit on the left; of a
// text longer than `maximumCells` only the last characters show.
Item {
    id: display

    property string text: ""
    property int cells: 1
    property int maximumCells: cells
    property real digitHeight: 100
    property color litColour: "white"
    // Horizontal lean of the top against the foot, per unit of height.
    property real slant: 0.09

    readonly property string shown: {
        const tail = text.length > maximumCells ? text.slice(text.length - maximumCells) : text;
        return tail.length < cells ? " ".repeat(cells - tail.length) + tail : tail;
    }
    readonly property real spacing: 0.14
    // Width of the row for a digit height of 1, to size the digits to the room there is.
    readonly property real widthPerHeight: {
        let width = slant + spacing * Math.max(0, shown.length - 1);
        for (const c of shown)
            width += c === ":" || c === "." ? 0.208 : 0.56;
        return width;
    }

    implicitWidth: digitHeight * widthPerHeight
    implicitHeight: digitHeight

    Row {
        id: row

        x: display.slant * display.digitHeight / 2
        spacing: display.spacing * display.digitHeight
        // A shear about the middle line: the top leans right, the foot left.
        transform: Matrix4x4 {
            matrix: Qt.matrix4x4(1, -display.slant, 0, display.slant * display.digitHeight / 2,
                                 0, 1, 0, 0,
                                 0, 0, 1, 0,
                                 0, 0, 0, 1)
        }

        Repeater {
            model: display.shown.length

            SegmentDigit {
                required property int index

                character: display.shown.charAt(index)
                digitHeight: display.digitHeight
                litColour: display.litColour
            }
        }
    }
}
