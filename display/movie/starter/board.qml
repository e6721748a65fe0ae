// SPDX-License-Identifier: MIT-0
//
// A plain board to start your club's own board from. Copy this folder, change what you like,
// and the board is yours: this file and its parts are under MIT-0, which asks nothing of you,
// not even to keep this notice.
//
// The board contract (docs/boards.md, "Boards for Brevanto") says what a board may rely on; in
// short:
//   - The program hands the board its values as texts in the context property `board`:
//     board.name_a, board.name_b, board.points_a ("045"), board.points_b, board.faults_a ("03"),
//     board.faults_b, board.period ("2") and board.clock ("7:42", or "59.9" in the last minute).
//     A value is undefined until the program first sets it, so each one below has a resting
//     value after `??`.
//   - The root item's width and height are the design canvas: the program scales it uniformly
//     to fill the board area and centres it on black. Draw inside it; nothing outside shows.
//   - Everything the board uses lies in its own folder: this file, parts/ and the pictures.
//
// Look at a change with the preview tool before game day, then put the folder in place
// (docs/boards.md, "Checking a board before game day" and "Putting a board in place"):
//   brevanto-preview ourclub/board.qml --out preview/
import QtQuick
import "parts"

Rectangle {
    id: root

    // Your club's colours: change them here, the parts take them from here.
    readonly property color backgroundColour: "#101820"
    readonly property color panelColour: "#18232f"
    readonly property color homeColour: "#2a7de1"
    readonly property color visitorColour: "#d9453d"
    readonly property color figureColour: "white"
    readonly property color clockColour: "#ffc42e"
    readonly property color lastMinuteColour: "#ff5a4a"
    readonly property color labelColour: "#9fb0c3"

    // The design canvas: 16:9, the shape of most projectors and screens. Choose 1600 x 1200 (4:3)
    // for an older projector, and move the parts below to fit.
    width: 1920
    height: 1080
    color: backgroundColour

    // The game clock across the top, the largest figure of the board.
    ClockDisplay {
        x: 40
        y: 30
        width: 1840
        height: 440
        text: board.clock ?? "0.0"
        panelColour: root.panelColour
        figureColour: root.clockColour
        lastMinuteColour: root.lastMinuteColour
    }

    // The home team on the left ...
    TeamDisplay {
        x: 40
        y: 500
        width: 700
        height: 550
        name: board.name_a ?? ""
        points: board.points_a ?? "000"
        fouls: board.faults_a ?? "00"
        teamColour: root.homeColour
        panelColour: root.panelColour
        figureColour: root.figureColour
        labelColour: root.labelColour
    }

    // ... the visitors on the right ...
    TeamDisplay {
        x: 1180
        y: 500
        width: 700
        height: 550
        name: board.name_b ?? ""
        points: board.points_b ?? "000"
        fouls: board.faults_b ?? "00"
        teamColour: root.visitorColour
        panelColour: root.panelColour
        figureColour: root.figureColour
        labelColour: root.labelColour
    }

    // ... and between them the period ...
    PeriodDisplay {
        x: 780
        y: 500
        width: 360
        height: 250
        text: board.period ?? "1"
        panelColour: root.panelColour
        figureColour: root.figureColour
        labelColour: root.labelColour
    }

    // ... and the place for your logo: replace parts/logo.png with your own picture.
    Logo {
        x: 780
        y: 770
        width: 360
        height: 280
    }
}
