import QtQuick

// The control's own frame around the movie: black, with the movie's design canvas scaled
// uniformly to fit and centred ("ShowAll"). A movie that cannot play leaves a plain notice.
Rectangle {
    id: stage
    color: "black"

    property Item movie: null
    property string notice: ""

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

    Text {
        anchors.centerIn: parent
        width: parent.width * 0.9
        visible: stage.notice !== ""
        text: stage.notice
        color: "#b0b0b0"
        font.pixelSize: Math.max(10, stage.height / 14)
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
    }
}
