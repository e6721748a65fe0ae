// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import "parts"

// Brevanto's scoreboard, drawn on a design canvas of 3430 x 2565 that the display control
// scales to fit: the game clock across the top; below it each team's name, points and fouls,
// with the period between them. Lit segments on black read from the back of a hall, and every
// shape is a vector, so it stays sharp at any size.
//
// The board shows the variables the program sets (context property `board`) exactly as sent;
// until a variable is first set its part shows the resting value below.
Rectangle {
    width: 3430
    height: 2565
    color: "black"

    GameClock {
        objectName: "clock"
        x: 70
        y: 70
        width: 3290
        height: 990
        text: board.clock ?? "0:00"
    }

    TeamColumn {
        objectName: "team_a"
        x: 70
        y: 1120
        width: 1230
        height: 1375
        name: board.name_a ?? ""
        points: board.points_a ?? "000"
        fouls: board.faults_a ?? "00"
        teamColour: "#1f6feb"
    }

    PeriodPanel {
        objectName: "period"
        x: 1360
        y: 1120
        width: 710
        height: 1000
        text: board.period ?? "1"
    }

    Text {
        x: 1360
        y: 2160
        width: 710
        height: 335
        text: "BREVANTO"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: "#2c3547"
        font.family: "DejaVu Sans"
        font.bold: true
        font.pixelSize: 84
        font.letterSpacing: 22
    }

    TeamColumn {
        objectName: "team_b"
        x: 2130
        y: 1120
        width: 1230
        height: 1375
        name: board.name_b ?? ""
        points: board.points_b ?? "000"
        fouls: board.faults_b ?? "00"
        teamColour: "#d93b2b"
    }
}
