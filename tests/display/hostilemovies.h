// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "moviefiles.h"
#include "movielimits.h"
#include "movieoutcome.h"
#include "player/deeplinks.h"

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <filesystem>
#include <optional>
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
    // Why it does not play, where it is refused or stops: the program's notice says so.
    MovieOutcome reason = MovieOutcome::Playing;
    // Made with symbolic links, which not every system makes (MakesLinks()).
    bool linked = false;
    // The reason the board's author reads for what the movie reached for and may not have,
    // "Scoreboard movie: PATH is refused: REASON", where the sandbox's gate refuses it.
    std::optional<Refusal> refusal = std::nullopt;
    // A colour the movie draws only with what it may not have: never in its frame.
    std::optional<QRgb> forbidden = std::nullopt;
    // A file, in the scratch folder, that only code the movie may not run would write.
    const char *neverWritten = nullptr;
    // Takes away, before the scratch folder goes, what make() put beyond its reach.
    void (*cleanUp)(const QString &path) = nullptr;
};

// What lies outside the movie's folder is in this colour.
inline constexpr QRgb OutsideColour = qRgb(0xff, 0x00, 0xff);

// Whether a frame shows the colour anywhere.
inline bool Shows(const QImage &frame, QRgb colour)
{
    const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) == colour)
                return true;
        }
    }
    return false;
}

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

// A symbolic link at `path` to `target`; false where the system makes none.
inline bool Link(const QString &target, const QString &path)
{
    std::error_code error;
    std::filesystem::create_symlink(QFile::encodeName(target).toStdString(),
                                    QFile::encodeName(path).toStdString(), error);
    return !error;
}

// Whether this system makes symbolic links: MinGW's std::filesystem makes none on Windows, and
// Wine none at all.
inline bool MakesLinks()
{
    const QTemporaryDir folder;
    return Link(folder.filePath(QStringLiteral("target")), folder.filePath(QStringLiteral("link")));
}

// A file beside the movie: its parts folder, a script.
inline bool WriteBeside(const QString &moviePath, const QString &name, const QByteArray &bytes)
{
    const QDir folder = QFileInfo(moviePath).dir();
    return folder.mkpath(QFileInfo(folder.filePath(name)).path()) &&
           Write(folder.filePath(name), bytes);
}

// A movie in a folder of its own, board/ in the scratch folder, linked to from the path: the
// movie's folder is then board/, and outside/ beside it lies outside. There are a picture in
// OutsideColour, outside/picture.png, and the colour's name as text, outside/colour.txt, and
// as a module's export, outside/colour.mjs.
inline bool BoardBesideOutside(const QString &path, const QByteArray &movie)
{
    const QDir scratch = QFileInfo(path).dir();
    const QByteArray colour = QColor(OutsideColour).name().toUtf8();
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(OutsideColour);
    return scratch.mkpath(QStringLiteral("board")) && scratch.mkpath(QStringLiteral("outside")) &&
           picture.save(scratch.filePath(QStringLiteral("outside/picture.png"))) &&
           Write(scratch.filePath(QStringLiteral("outside/colour.txt")), colour) &&
           Write(scratch.filePath(QStringLiteral("outside/colour.mjs")),
                 "export const colour = \"" + colour + "\";\n") &&
           Write(scratch.filePath(QStringLiteral("board/board.qml")), movie) &&
           Link(scratch.filePath(QStringLiteral("board/board.qml")), path);
}

// A file of the board's, beside its movie in board/ (BoardBesideOutside).
inline bool WriteInBoard(const QString &path, const QString &name, const QByteArray &bytes)
{
    return WriteBeside(QFileInfo(path).dir().filePath(QStringLiteral("board/board.qml")), name,
                       bytes);
}

// The address of a file of the scratch folder, "file:///tmp/x/outside/colour.mjs".
inline QByteArray Address(const QString &path, const QString &name)
{
    return QUrl::fromLocalFile(QFileInfo(path).dir().filePath(name)).toEncoded();
}

// A document whose first lines are `head`, filled up to `size` bytes with a comment.
inline QByteArray Padded(const QByteArray &head, qsizetype size)
{
    const QByteArray line = "// " + QByteArray(76, 'x') + "\n";
    QByteArray document = head;
    while (document.size() + line.size() <= size)
        document += line;
    return document + QByteArray(size - document.size(), '\n');
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
        {.name = "a link to a file without end",
         .make = [](const QString &path) { return Link(QStringLiteral("/dev/zero"), path); },
         .outcome = Outcome::Refused,
         .reason = MovieOutcome::Missing,
         .linked = true},

        // Large but honest: slow, yet within bounds
        {"largest file accepted",
         [](const QString &path) {
             return Write(path, LargestAcceptedDocument(MovieLimits::DocumentBytes));
         },
         Outcome::Plays},

        // Movies that reach outside their folder, or past their limits, by each way the engine
        // reads a file: what they may not have is refused for its reason, and never drawn or run
        {.name = "native code named by a qmldir",
         .make =
             [](const QString &path) {
                 const QDir folder = QFileInfo(path).dir();
                 return WriteBeside(path, QStringLiteral("parts/qmldir"),
                                    "plugin hostile\nPanel 1.0 Panel.qml\n") &&
                        WriteBeside(path, QStringLiteral("parts/Panel.qml"),
                                    "import QtQuick\nItem {}\n") &&
                        QFile::copy(QStringLiteral(BREVANTO_HOSTILE_PLUGIN),
                                    folder.filePath(
                                        QStringLiteral("parts/" BREVANTO_HOSTILE_PLUGIN_NAME))) &&
                        Write(path, "import QtQuick\nimport \"parts\"\n"
                                    "Item { width: 400; height: 300; Panel {} }\n");
             },
         .outcome = Outcome::Plays,
         .refusal = Refusal::Plugin,
         .neverWritten = "parts/" BREVANTO_HOSTILE_PLUGIN_NAME ".ran"},
        {.name = "pictures outside in rich, styled and Markdown text",
         .make =
             [](const QString &path) {
                 const QByteArray size = R"(width=\"400\" height=\"300\")";
                 return BoardBesideOutside(
                     path,
                     Movie("    Text { textFormat: Text.RichText; text: \"<img src=\\\"../"
                           "outside/picture.png\\\" " +
                           size +
                           ">\" }\n"
                           "    Text { textFormat: Text.StyledText; text: \"<img src=\\\"" +
                           Address(path, QStringLiteral("outside/picture.png")) + "\\\" " + size +
                           ">\" }\n"
                           "    Text { textFormat: Text.MarkdownText; text: \"![outside](" +
                           QFileInfo(path)
                               .dir()
                               .filePath(QStringLiteral("outside/picture.png"))
                               .toUtf8() +
                           ")\" }"));
             },
         .outcome = Outcome::Plays,
         .linked = true,
         .refusal = Refusal::Outside,
         .forbidden = OutsideColour},
        {.name = "a picture outside in an SVG",
         .make =
             [](const QString &path) {
                 return BoardBesideOutside(path, Movie("    Image { anchors.fill: parent; "
                                                       "source: \"inside.svg\" }")) &&
                        WriteInBoard(path, QStringLiteral("inside.svg"),
                                     "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                     "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"400\" "
                                     "height=\"300\"><image xlink:href=\"../outside/picture.png\" "
                                     "width=\"400\" height=\"300\"/></svg>\n");
             },
         .outcome = Outcome::Plays,
         .linked = true,
         .refusal = Refusal::Outside,
         .forbidden = OutsideColour},
        {.name = "worker modules importing from outside",
         .make =
             [](const QString &path) {
                 const QByteArray worker = "\nWorkerScript.onMessage = function() { "
                                           "WorkerScript.sendMessage({ colour: colour }) }\n";
                 return BoardBesideOutside(
                            path, Movie("    Repeater {\n        model: [\"relative.mjs\", "
                                        "\"absolute.mjs\"]\n"
                                        "        Rectangle {\n            id: half\n"
                                        "            required property string modelData\n"
                                        "            required property int index\n"
                                        "            x: index * 200; width: 200; height: 300; "
                                        "color: \"black\"\n"
                                        "            WorkerScript { source: half.modelData; "
                                        "onReadyChanged: if (ready) sendMessage({}); "
                                        "onMessage: (message) => half.color = message.colour }\n"
                                        "        }\n    }")) &&
                        WriteInBoard(path, QStringLiteral("relative.mjs"),
                                     "import { colour } from \"../outside/colour.mjs\";" +
                                         worker) &&
                        WriteInBoard(path, QStringLiteral("absolute.mjs"),
                                     "import { colour } from \"" +
                                         Address(path, QStringLiteral("outside/colour.mjs")) +
                                         "\";" + worker);
             },
         .outcome = Outcome::Plays,
         .linked = true,
         .refusal = Refusal::Outside,
         .forbidden = OutsideColour},
        {.name = "a worker module of 3 MiB, later",
         .make =
             [](const QString &path) {
                 return WriteBeside(path, QStringLiteral("big.mjs"),
                                    Padded("export const size = \"big\";\n", 3 * 1024 * 1024)) &&
                        WriteBeside(path, QStringLiteral("worker.mjs"),
                                    "import { size } from \"big.mjs\";\n"
                                    "WorkerScript.onMessage = function() {}\n") &&
                        // The worker's module is read on a thread of its own; a frame drawn
                        // a while later finds it refused.
                        Write(path, Movie("    Loader { id: later; active: false; "
                                          "sourceComponent: WorkerScript { source: "
                                          "\"worker.mjs\" } }\n"
                                          "    Rectangle { id: frame; width: 10; height: 10 }\n"
                                          "    Timer { interval: 300; running: true; "
                                          "onTriggered: later.active = true }\n"
                                          "    Timer { interval: 600; running: true; "
                                          "onTriggered: frame.color = \"red\" }"));
             },
         .outcome = Outcome::Stops,
         .reason = MovieOutcome::TooLarge,
         .refusal = Refusal::DocumentTooLarge},
        {.name = "a picture outside through links longer than a path may be",
         .make =
             [](const QString &path) {
                 const QDir folder = QFileInfo(path).dir();
                 const QString deep =
                     folder.mkpath(QStringLiteral("board"))
                         ? DeepThroughLinks(folder.filePath(QStringLiteral("board")))
                         : QString();
                 return !deep.isEmpty() &&
                        BoardBesideOutside(path, Movie("    Image { anchors.fill: parent; "
                                                       "source: \"" +
                                                       deep.toUtf8() + "/picture.png\" }")) &&
                        Link(QFileInfo(path).dir().filePath(QStringLiteral("outside/picture.png")),
                             QFileInfo(path).dir().filePath(QStringLiteral("board/") + deep +
                                                            QStringLiteral("/picture.png")));
             },
         .outcome = Outcome::Plays,
         .linked = true,
         .refusal = Refusal::LinkOut,
         .forbidden = OutsideColour,
         .cleanUp =
             [](const QString &path) {
                 RemoveDeepThroughLinks(QFileInfo(path).dir().filePath(QStringLiteral("board")));
             }},
        {.name = "a part of 300 KB by a Loader",
         .make =
             [](const QString &path) {
                 return WriteBeside(path, QStringLiteral("Big.qml"),
                                    Padded("import QtQuick\nItem {}\n", 300 * 1000)) &&
                        Write(path, Movie("    Loader { source: \"Big.qml\" }"));
             },
         .outcome = Outcome::Refused,
         .reason = MovieOutcome::TooLarge,
         .refusal = Refusal::DocumentTooLarge},
        {.name = "24 parts of 60 KB",
         .make =
             [](const QString &path) {
                 QByteArray parts;
                 for (int i = 0; i < 24; ++i) {
                     const QString part = QStringLiteral("parts/P%1.qml").arg(i);
                     if (!WriteBeside(path, part, Padded("import QtQuick\nItem {}\n", 60 * 1000)))
                         return false;
                     parts += "    P" + QByteArray::number(i) + " {}\n";
                 }
                 return Write(path, "import QtQuick\nimport \"parts\"\n"
                                    "Item {\n    width: 400; height: 300\n" +
                                        parts + "}\n");
             },
         .outcome = Outcome::Refused,
         .reason = MovieOutcome::TooLarge,
         .refusal = Refusal::AllDocumentsTooLarge},
        {.name = "a QML document written into a data: address",
         .make =
             [](const QString &path) {
                 return Write(path,
                              Movie("    Loader { anchors.fill: parent; source: "
                                    "\"data:text/plain,import QtQuick; Rectangle { color: "
                                    "'" +
                                    QColor(OutsideColour).name().toUtf8().mid(1).prepend("%23") +
                                    "' }\" }"));
             },
         .outcome = Outcome::Plays,
         .refusal = Refusal::DataDocument,
         .forbidden = OutsideColour},
        // Run with file access allowed to XMLHttpRequest (QML_XHR_ALLOW_FILE_READ and _WRITE set
        // for the test): the engine's network then refuses it, or the variables never reach the
        // board's process and the engine itself does.
        {.name = "XMLHttpRequest reading and writing files outside",
         .make =
             [](const QString &path) {
                 return BoardBesideOutside(
                     path,
                     Movie("    Rectangle { id: fill; anchors.fill: parent; color: \"black\" }\n"
                           "    Component.onCompleted: {\n"
                           "        const read = new XMLHttpRequest()\n"
                           "        read.onreadystatechange = function() { if (read.readyState "
                           "=== XMLHttpRequest.DONE && read.responseText) fill.color = "
                           "read.responseText }\n"
                           "        read.open(\"GET\", \"" +
                           Address(path, QStringLiteral("outside/colour.txt")) +
                           "\"); read.send()\n"
                           "        const write = new XMLHttpRequest()\n"
                           "        write.open(\"PUT\", \"" +
                           Address(path, QStringLiteral("outside/written.txt")) +
                           "\"); write.send(\"written\")\n    }"));
             },
         .outcome = Outcome::Plays,
         .linked = true,
         .forbidden = OutsideColour,
         .neverWritten = "outside/written.txt"},
        {.name = "the program's folder as a module folder",
         .make =
             [](const QString &path) {
                 return Write(path, "import QtQuick\nimport \"" +
                                        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                                            QStringLiteral("/parts"))
                                            .toEncoded() +
                                        "\"\nItem { width: 400; height: 300; Panel {} }\n");
             },
         .outcome = Outcome::Refused,
         .reason = MovieOutcome::Broken,
         .refusal = Refusal::Outside},
    };
    return cases;
}

} // namespace HostileMovies
