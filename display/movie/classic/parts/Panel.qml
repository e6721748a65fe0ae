// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The dark framed box that every group of the board sits in. Square corners: rounded ones show
// seams when the software renderer scales them.
Rectangle {
    color: "#0a0d14"
    border.color: "#222a3a"
    border.width: 8
}
