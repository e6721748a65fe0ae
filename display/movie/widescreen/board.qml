// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "parts"

// A board for 16:9 projectors and screens: its design canvas is 1920 x 1080, so it fills such a
// screen edge to edge. The game clock runs across the top; below it each team's name, points
// and fouls, with the period between the teams.
//
// The values come from the program as texts in `board`; until a name is first set it is
// undefined, and the part shows the resting value after `??`.
Rectangle {
    width: 1920
    height: 1080

    gradient: Gradient {
        GradientStop { position: 0; color: "#0b1426" }
        GradientStop { position: 1; color: "#04070d" }
    }

    ClockPanel {
        x: 32
        y: 32
        width: 1856
        height: 500
        text: board.clock ?? "0.0"
    }

    TeamPanel {
        x: 32
        y: 564
        width: 760
        height: 484
        name: board.name_a ?? ""
        points: board.points_a ?? "000"
        fouls: board.faults_a ?? "00"
        teamColour: "#1d6fe0"
    }

    PeriodPanel {
        x: 824
        y: 564
        width: 272
        height: 484
        text: board.period ?? "1"
    }

    TeamPanel {
        x: 1128
        y: 564
        width: 760
        height: 484
        name: board.name_b ?? ""
        points: board.points_b ?? "000"
        fouls: board.faults_b ?? "00"
        teamColour: "#e0701d"
    }
}
