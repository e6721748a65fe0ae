// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The control's frame around the movie: black, with the movie's design canvas scaled uniformly
// to fit and centred ("ShowAll").
Rectangle {
    id: stage
    color: "black"

    property Item movie: null

    Item {
        id: holder
        objectName: "holder"
        width: stage.movie ? stage.movie.width : 0
        height: stage.movie ? stage.movie.height : 0
        transformOrigin: Item.TopLeft
        scale: width > 0 && height > 0 ? Math.min(stage.width / width, stage.height / height) : 1
        x: Math.round((stage.width - width * scale) / 2)
        y: Math.round((stage.height - height * scale) / 2)
        clip: true
    }
}
