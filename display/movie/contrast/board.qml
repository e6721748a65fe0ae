// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "parts"

// A board of high contrast and the largest figures, for bright halls and for viewers who see
// poorly: white and yellow on black, nothing else. On its 1920 x 1080 canvas the clock's digits
// are a third of the screen's height and the points' more than a quarter; the names, fouls and
// period stay large enough to read from the back rows.
//
// The figures are placed by their ink rather than their boxes (see BigText): the empty top and
// foot of one line's box may lie over its neighbour, the glyphs never do.
Rectangle {
    width: 1920
    height: 1080
    color: "black"

    ClockFigure {
        x: 20
        y: 0
        width: 1880
        text: board.clock ?? "0.0"
    }

    // The rules that part the clock from the teams and the teams from each other.
    Rectangle {
        x: 20
        y: 506
        width: 1880
        height: 6
        color: "white"
    }
    Rectangle {
        x: 957
        y: 512
        width: 6
        height: 434
        color: "white"
    }

    TeamFigures {
        x: 20
        y: 512
        width: 917
        name: board.name_a ?? ""
        points: board.points_a ?? "000"
    }

    TeamFigures {
        x: 983
        y: 512
        width: 917
        name: board.name_b ?? ""
        points: board.points_b ?? "000"
    }

    Rectangle {
        x: 20
        y: 946
        width: 1880
        height: 6
        color: "white"
    }

    LabelledValue {
        x: 40
        y: 952
        width: 620
        label: "FOULS"
        value: board.faults_a ?? "00"
    }

    LabelledValue {
        x: 680
        y: 952
        width: 560
        alignment: Text.AlignHCenter
        label: "PERIOD"
        value: board.period ?? "1"
    }

    LabelledValue {
        x: 1260
        y: 952
        width: 620
        alignment: Text.AlignRight
        label: "FOULS"
        value: board.faults_b ?? "00"
    }
}
