// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "movielimits.h"
#include "movieoutcome.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QString>

#include <span>

// Hostile things to find where the scoreboard movie should be, shared by the robustness tests
// and their benchmark. Each case puts its thing at a path in a scratch folder (and, for some,
// parts beside it); the real movie's parts folder is never there.
namespace HostileMovies {

enum class Outcome
{
    Refused,  // the board area shows a notice instead of a movie
    Plays,    // the movie plays, its own faults and all
    Stops,    // the movie plays, then its process crashes, hangs or grows: the notice comes
    Recovers, // the movie plays and its process stalls once: started again, it plays on
};

// What sets off a movie's fault, where something must.
enum class Trigger
{
    None,
    PointsA,      // the hotkey 1, which sends points_a "001"
    ClockRunsOut, // a second on the clock, run down to "0.0"
};

struct Case
{
    const char *name;
    // Puts the hostile thing at the path; false when the file system would not take it.
    bool (*make)(const QString &path);
    Outcome outcome;
    Trigger trigger = Trigger::None;
    // Why it does not play, where it is refused: the program's notice says so.
    MovieOutcome reason = MovieOutcome::Playing;
};

// A literal's bytes, NUL bytes included.
template <std::size_t N> QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

inline bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file beside the movie: its parts folder, a script.
inline bool WriteBeside(const QString &moviePath, const QString &name, const QByteArray &bytes)
{
    const QDir folder = QFileInfo(moviePath).dir();
    return folder.mkpath(QFileInfo(folder.filePath(name)).path()) &&
           Write(folder.filePath(name), bytes);
}

// A movie of a plain 400 x 300 item with these lines inside it.
inline QByteArray Movie(const QByteArray &inside)
{
    return "import QtQuick\nItem {\n    id: root\n    width: 400; height: 300\n" + inside + "\n}\n";
}

// Bytes from a fixed seed, so that a failure can be repeated; random bytes hold NUL bytes and
// sequences that are no UTF-8 anyway, and the first few make sure of both.
inline QByteArray RandomBytes(qsizetype size)
{
    QRandomGenerator random(0x5c0eb0a7);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    const QByteArray surely = Bytes("\0\xff\xfe\xc0\x80\xed\xa0\x80");
    bytes.replace(0, surely.size(), surely);
    return bytes;
}

// The file of the largest size the control still accepts, filled with the document that takes
// the engine longest to compile for its size: sibling items, as tightly written as they go.
inline QByteArray LargestAcceptedDocument(qint64 maxBytes)
{
    const QByteArray head = "import QtQuick\nItem { width: 400; height: 300\n";
    const QByteArray child = "Item{}";
    QByteArray document = head;
    document.reserve(maxBytes);
    while (document.size() + child.size() + 2 <= maxBytes)
        document += child;
    return document + "}\n";
}

inline std::span<const Case> Cases()
{
    static const Case cases[] = {
        // Not a movie file at all
        {"missing", [](const QString &) { return true; }, Outcome::Refused, Trigger::None,
         MovieOutcome::Missing},
        {"empty", [](const QString &path) { return Write(path, {}); }, Outcome::Refused,
         Trigger::None, MovieOutcome::Missing},
        {"blank lines only", [](const QString &path) { return Write(path, "\n \t\r\n\n"); },
         Outcome::Refused, Trigger::None, MovieOutcome::Missing},
        {"a directory", [](const QString &path) { return QDir().mkpath(path); }, Outcome::Refused,
         Trigger::None, MovieOutcome::Missing},
        {"random bytes", [](const QString &path) { return Write(path, RandomBytes(16 * 1024)); },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},
        {"one byte over the size limit",
         [](const QString &path) {
             const QByteArray document = "import QtQuick\nItem {}\n//";
             return Write(path,
                          document +
                              QByteArray(MovieLimits::DocumentBytes + 1 - document.size(), 'x'));
         },
         Outcome::Refused, Trigger::None, MovieOutcome::TooLarge},
        {"100 MB, sparse",
         [](const QString &path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.resize(100 * 1024 * 1024);
         },
         Outcome::Refused, Trigger::None, MovieOutcome::TooLarge},

        // Documents the engine refuses
        {"syntax error",
         [](const QString &path) { return Write(path, "import QtQuick\nItem { width: ; {\n"); },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},
        {"root is not an item",
         [](const QString &path) { return Write(path, "import QtQml\nQtObject {}\n"); },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},
        {"unknown module",
         [](const QString &path) {
             return Write(path, "import Brevanto.NoSuchModule 1.0\nimport QtQuick\nItem {}\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},
        {"parts folder missing",
         [](const QString &path) {
             return Write(path, "import QtQuick\nimport \"scoreboard\"\nTeamName {}\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},
        {"garbage after a valid start",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem {\n" + RandomBytes(4096) + "\n}\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},

        // Documents whose scripts fail: the movie draws what it can
        {"throws when it starts",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem {\n    width: 400; height: 300\n"
                                "    Component.onCompleted: { throw new Error(\"hostile\") }\n}\n");
         },
         Outcome::Plays},
        {"variables it never gets",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem {\n    width: 400; height: 300\n"
                                "    Text { text: board.nonexistent.deep.property }\n}\n");
         },
         Outcome::Plays},
        {"NUL and bad UTF-8 in a string",
         [](const QString &path) {
             return Write(path, Bytes("import QtQuick\nItem {\n    width: 400; height: 300\n"
                                      "    Text { text: \"a\0b\xff\xc0\x80\" }\n}\n"));
         },
         Outcome::Plays},
        {"asks the program to quit",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem {\n    width: 400; height: 300\n"
                                "    Component.onCompleted: { Qt.exit(3); Qt.quit() }\n}\n");
         },
         Outcome::Plays},
        {"asks the program to quit later",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem {\n    width: 400; height: 300\n"
                                "    Timer {\n        interval: 200; running: true\n"
                                "        onTriggered: { Qt.exit(3); Qt.quit() }\n    }\n}\n");
         },
         Outcome::Plays},

        // Documents that would never finish starting: cut short by the watchdog
        {"endless loop when it starts",
         [](const QString &path) {
             return Write(
                 path, "import QtQuick\nItem {\n    Component.onCompleted: { for (;;) {} }\n}\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},
        {"endless loop in a binding",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem {\n"
                                "    width: { for (;;) {} return 400 }\n}\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::Broken},

        // Documents whose process dies: it is started again, and given up
        {"creates itself without end when it starts",
         [](const QString &path) {
             return Write(path, Movie("    function spawn() { Qt.createQmlObject("
                                      "'import QtQuick; Item { Component.onCompleted: "
                                      "root.spawn() }', root) }\n"
                                      "    Component.onCompleted: spawn()"));
         },
         Outcome::Refused, Trigger::None, MovieOutcome::Crashed},
        {"creates itself without end later",
         [](const QString &path) {
             return Write(path, Movie("    function spawn() { Qt.createQmlObject("
                                      "'import QtQuick; Item { Component.onCompleted: "
                                      "root.spawn() }', root) }\n"
                                      "    Timer { interval: 300; running: true; "
                                      "onTriggered: root.spawn() }"));
         },
         Outcome::Stops},
        {"memory without end",
         [](const QString &path) {
             return Write(path, Movie("    property var hoard: []\n"
                                      "    Timer { interval: 10; running: true; repeat: true; "
                                      "onTriggered: root.hoard.push(\"x\".repeat(1 << 24) + "
                                      "root.hoard.length) }"));
         },
         Outcome::Stops},

        // Documents that stop answering after they started: given up at once
        {"endless loop later, from a timer",
         [](const QString &path) {
             return Write(path, Movie("    Timer { interval: 300; running: true; "
                                      "onTriggered: { for (;;) {} } }"));
         },
         Outcome::Stops},
        {"endless loop once team A has a point",
         [](const QString &path) {
             return Write(path,
                          Movie("    readonly property bool armed: board.points_a === \"001\"\n"
                                "    onArmedChanged: if (armed) { for (;;) {} }"));
         },
         Outcome::Stops, Trigger::PointsA},
        {"endless loop in a part, later",
         [](const QString &path) {
             return WriteBeside(path, QStringLiteral("scoreboard/Trap.qml"),
                                "import QtQuick\nItem { Timer { interval: 300; running: true; "
                                "onTriggered: { for (;;) {} } } }\n") &&
                    Write(path, "import QtQuick\nimport \"scoreboard\"\n"
                                "Item { width: 400; height: 300; Trap {} }\n");
         },
         Outcome::Stops},
        {"endless loop at the end of the period",
         [](const QString &path) {
             return Write(path, Movie("    property bool counted: false\n"
                                      "    readonly property string clock: board.clock ?? \"\"\n"
                                      "    onClockChanged: if (clock !== \"0.0\") counted = true; "
                                      "else if (counted) { for (;;) {} }"));
         },
         // Started again with the board as it stands, it never sees the clock change to "0.0".
         Outcome::Recovers, Trigger::ClockRunsOut},

        // Documents that reach for what is not theirs: they play, and get nothing
        {"a full-screen window of its own",
         [](const QString &path) {
             return Write(path, "import QtQuick\nimport QtQuick.Window\n"
                                "Item { width: 400; height: 300\n"
                                "    Window { visible: true; visibility: Window.FullScreen; "
                                "flags: Qt.WindowStaysOnTopHint; Item { focus: true; "
                                "Keys.onPressed: (event) => event.accepted = true } } }\n");
         },
         Outcome::Plays},
        {"application shortcuts for F1 and F9",
         [](const QString &path) {
             return Write(path, Movie("    Shortcut { sequences: [\"F1\", \"F9\", \"Space\"]; "
                                      "context: Qt.ApplicationShortcut; onActivated: {} }"));
         },
         Outcome::Plays},
        {"endless loop when it is destroyed",
         [](const QString &path) {
             return Write(path, Movie("    Component.onDestruction: { for (;;) {} }"));
         },
         Outcome::Plays},
        {"endless loop in a worker script",
         [](const QString &path) {
             return WriteBeside(path, QStringLiteral("spin.mjs"),
                                "WorkerScript.onMessage = function() {}\nfor (;;) {}\n") &&
                    Write(path, "import QtQuick\nItem { width: 400; height: 300\n"
                                "    WorkerScript { source: \"spin.mjs\" } }\n");
         },
         Outcome::Plays},

        // Canvases that cannot be shown: the board area says so rather than stay black
        {"canvas of no size",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem { Text { text: \"x\" } }\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::NoCanvas},
        {"canvas not a number",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem { width: NaN; height: 300 }\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::NoCanvas},
        {"canvas infinite",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem { width: 400; height: Infinity }\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::NoCanvas},
        {"canvas lost while playing",
         [](const QString &path) {
             return Write(path, "import QtQuick\nItem { width: 400\n"
                                "    height: board.points_a === \"001\" ? 0 : 300 }\n");
         },
         Outcome::Stops, Trigger::PointsA},

        // Files that would be read without end
        {"a part of 50 MiB (sparse)",
         [](const QString &path) {
             QFile part(QFileInfo(path).dir().filePath(QStringLiteral("scoreboard/Big.qml")));
             return QFileInfo(path).dir().mkpath(QStringLiteral("scoreboard")) &&
                    part.open(QIODevice::WriteOnly) && part.resize(50 * 1024 * 1024) &&
                    Write(path, "import QtQuick\nimport \"scoreboard\"\n"
                                "Item { width: 400; height: 300; Big {} }\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::TooLarge},
        {"a part of 50 MiB of text",
         [](const QString &path) {
             QFile part(QFileInfo(path).dir().filePath(QStringLiteral("scoreboard/Big.qml")));
             const QByteArray line = "// " + QByteArray(96, 'x') + "\n";
             if (!QFileInfo(path).dir().mkpath(QStringLiteral("scoreboard")) ||
                 !part.open(QIODevice::WriteOnly) || !part.write("import QtQuick\nItem {}\n"))
                 return false;
             for (int i = 0; i < 50 * 1024 * 1024 / line.size(); ++i) {
                 if (part.write(line) != line.size())
                     return false;
             }
             return Write(path, "import QtQuick\nimport \"scoreboard\"\n"
                                "Item { width: 400; height: 300; Big {} }\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::TooLarge},
        {"a picture of 50 MiB",
         [](const QString &path) {
             QFile picture(QFileInfo(path).dir().filePath(QStringLiteral("big.png")));
             return picture.open(QIODevice::WriteOnly) &&
                    picture.write(QByteArray(50 * 1024 * 1024, 'x')) > 0 &&
                    Write(path, "import QtQuick\nItem { width: 400; height: 300; "
                                "Image { source: \"big.png\" } }\n");
         },
         Outcome::Refused, Trigger::None, MovieOutcome::TooLarge},
        {"a link to a file without end",
         [](const QString &path) { return QFile::link(QStringLiteral("/dev/zero"), path); },
         Outcome::Refused, Trigger::None, MovieOutcome::Missing},

        // Large but honest: slow, yet within bounds
        {"largest file accepted",
         [](const QString &path) {
             return Write(path, LargestAcceptedDocument(MovieLimits::DocumentBytes));
         },
         Outcome::Plays},
    };
    return cases;
}

} // namespace HostileMovies
