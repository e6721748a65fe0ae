// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound

import QtQuick

// One character of a lit display. Digits, "-" and blanks light the segments of a seven-segment
// cell over its faint unlit ones, as on an arena board; ":" and "." take a narrow cell of dots;
// any other character is drawn as a letter, so that every value shows as it was sent.
Item {
    id: cell

    property string character: ""
    property real digitHeight: 100
    property color litColour: "white"
    // Unlit segments: the lit colour, dimmed to a glimmer on black (opaque, so that the parts
    // of a bar do not show their overlaps).
    readonly property color unlitColour: Qt.rgba(litColour.r * 0.11, litColour.g * 0.11,
                                                 litColour.b * 0.11, 1)

    // Lit segments a to g as bits 0 to 6, or -1 for a character drawn as a letter.
    readonly property int pattern: {
        const index = "0123456789- ".indexOf(character);
        if (character === "")
            return 0;
        return index < 0 ? -1 : [0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f,
                                 0x40, 0x00][index];
    }
    readonly property bool dots: character === ":" || character === "."

    readonly property real thickness: digitHeight * 0.13
    readonly property real gap: thickness * 0.16

    width: dots ? thickness * 1.6 : digitHeight * 0.56
    height: digitHeight

    Item {
        id: segments

        // Mitre points of the figure eight: left, right, top, middle, bottom.
        readonly property real x0: cell.thickness / 2
        readonly property real x1: cell.width - cell.thickness / 2
        readonly property real y0: cell.thickness / 2
        readonly property real ym: cell.height / 2
        readonly property real y1: cell.height - cell.thickness / 2

        anchors.fill: parent
        visible: cell.pattern >= 0 && !cell.dots

        Repeater {
            // [upright, centre x, centre y, span] for a, b, c, d, e, f, g.
            model: [[false, (segments.x0 + segments.x1) / 2, segments.y0, segments.x1 - segments.x0],
                    [true, segments.x1, (segments.y0 + segments.ym) / 2, segments.ym - segments.y0],
                    [true, segments.x1, (segments.ym + segments.y1) / 2, segments.y1 - segments.ym],
                    [false, (segments.x0 + segments.x1) / 2, segments.y1, segments.x1 - segments.x0],
                    [true, segments.x0, (segments.ym + segments.y1) / 2, segments.y1 - segments.ym],
                    [true, segments.x0, (segments.y0 + segments.ym) / 2, segments.ym - segments.y0],
                    [false, (segments.x0 + segments.x1) / 2, segments.ym, segments.x1 - segments.x0]]

            Segment {
                required property var modelData
                required property int index

                length: modelData[3] - 2 * cell.gap
                thickness: cell.thickness
                x: modelData[1] - length / 2
                y: modelData[2] - thickness / 2
                rotation: modelData[0] ? 90 : 0
                colour: cell.pattern >= 0 && (cell.pattern >> index) & 1 ? cell.litColour
                                                                          : cell.unlitColour
            }
        }
    }

    // ":" lights two dots, "." one at the foot.
    Repeater {
        model: cell.character === ":" ? [0.3, 0.7] : cell.character === "." ? [1] : []

        Rectangle {
            required property real modelData

            width: cell.thickness * 1.2
            height: width
            x: (cell.width - width) / 2
            y: Math.min(cell.height - height, cell.height * modelData - height / 2)
            color: cell.litColour
        }
    }

    Text {
        anchors.centerIn: parent
        visible: cell.pattern < 0 && !cell.dots
        text: visible ? cell.character : ""
        textFormat: Text.PlainText
        color: cell.litColour
        font.family: "DejaVu Sans"
        font.bold: true
        font.pixelSize: cell.digitHeight * 0.82
    }
}
