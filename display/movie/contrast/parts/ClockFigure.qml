// SPDX-License-Identifier: GPL-3.0-or-later

// The game clock in yellow, as large as the canvas's width allows "10:00"; "101:40", the widest
// the program sends, shrinks a little. Its ink runs from about y + 105 to y + 492.
BigText {
    id: clock

    property alias text: clock.value

    font.pixelSize: 530
    minimumPixelSize: 200
    color: "#ffee00"
}
