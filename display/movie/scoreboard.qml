import QtQuick

Rectangle {
    width: 3430
    height: 2565
    color: "#101010"
    Text {
        anchors.centerIn: parent
        color: "white"
        font.pixelSize: 300
        text: (board.name_a ?? "") + " " + (board.points_a ?? "000") + " : "
              + (board.points_b ?? "000") + " " + (board.name_b ?? "")
    }
}
