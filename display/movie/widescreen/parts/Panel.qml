// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The dark framed box each figure of the board sits in. Square corners: the software renderer
// shows seams in rounded ones once they are scaled.
Rectangle {
    color: "#0a101c"
    border.color: "#25324d"
    border.width: 4
}
