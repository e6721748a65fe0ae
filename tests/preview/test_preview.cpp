// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardlink.h"
#include "boardmovie.h"
#include "boardpreview.h"
#include "hostilemovies.h"
#include "movienotice.h"
#include "namecheck.h"
#include "player/trialsystem.h"
#include "pngwriter.h"
#include "previewreport.h"
#include "previewstates.h"
#include "refusedfiles.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;
using HostileMovies::Outcome;

namespace {

// Where the system makes no symbolic links, the rows made with them cannot be set up.
constexpr const char *LinksWaived = "waived: this system makes no symbolic links (MinGW's "
                                    "std::filesystem makes none on Windows, Wine none at all), "
                                    "which the row's board is made with";

// Whether the author reads that something was refused for this reason.
bool Says(const QStringList &refusedFiles, Refusal refusal)
{
    const QString refused = u", which is refused: "_s + RefusalReason(refusal);
    return std::any_of(refusedFiles.cbegin(), refusedFiles.cend(),
                       [&](const QString &line) { return line.contains(refused); });
}

// A board with an author's mistakes in it, each on a line of its own, with a picture outside its
// folder; previewed once, through its folder, for every row that reads its report.
struct MistakenBoard
{
    QTemporaryDir root;
    QString picture = root.filePath(u"elsewhere/logo.png"_s);
    QString folder = root.filePath(u"ourclub"_s);
    PreviewReport report;
};

const QByteArray MistakenMovie = R"(import QtQuick
import "parts"

Rectangle {
    width: 1600; height: 900; color: "#102040"
    Text { x: 10; y: 10; text: board.clock ?? "0.0"; font.pixelSize: 40; color: "white" }
    Text { x: 10; y: 100; text: "Fouls " + (board.fouls_a ?? "00"); font.pixelSize: 40; color: "white" }
    Image { x: 500; y: 10; width: 100; height: 100; source: "PICTURE" }
    Text { objectName: "unelided"; x: 10; y: 200; width: 40; height: 40; text: "8"; font.pixelSize: 200; font.family: "DejaVu Sans"; color: "white" }
    Text { objectName: "elided"; x: 300; y: 200; width: 40; height: 40; text: "8"; font.pixelSize: 200; font.family: "DejaVu Sans"; color: "white"
           elide: Text.ElideRight; maximumLineCount: 1 }
    Name { x: 600; y: 500; width: 300; value: board.name_a ?? "" }
    Text { x: 600; y: 700; text: [board.name_b, board.points_a, board.points_b, board.faults_b, board.period].join(" "); font.pixelSize: 20; color: "white" }
}
)";

const QByteArray MistakenPart = R"(import QtQuick

Text {
    property string value: ""
    text: value
    elide: Text.ElideRight
    maximumLineCount: 1
    font.pixelSize: 64
    font.family: "DejaVu Sans"
    color: "white"
}
)";

MistakenBoard &Mistaken()
{
    static std::optional<MistakenBoard> board;
    if (!board) {
        board.emplace();
        QImage logo(64, 64, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QDir().mkpath(QFileInfo(board->picture).path());
        logo.save(board->picture);
        const QString movie = board->folder + u"/board.qml"_s;
        QDir().mkpath(board->folder);
        HostileMovies::Write(movie,
                             QByteArray(MistakenMovie).replace("PICTURE", board->picture.toUtf8()));
        HostileMovies::WriteBeside(movie, u"parts/Name.qml"_s, MistakenPart);
        QTemporaryDir out;
        BoardPreview preview;
        board->report = preview.run(board->folder + u'/', QDir(out.path()));
    }
    return *board;
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatus_data();
    void exitStatus();
    void contactSheetEscapesTheBoard();
    void picturesReadBack_data();
    void picturesReadBack();
    void movieOfAFolder_data();
    void movieOfAFolder();
    void namesRead_data();
    void namesRead();
    void nearestName_data();
    void nearestName();
    void refusedFiles_data();
    void refusedFiles();
    void authorsMistakes_data();
    void authorsMistakes();
    void costsPerState();
    void hostileMovies_data();
    void hostileMovies();
    void refusedFilesAreSaid_data();
    void refusedFilesAreSaid();
};

void TestPreview::exitStatus_data()
{
    QTest::addColumn<bool>("refused");
    // Which of the report's findings holds a line.
    QTest::addColumn<QString>("finding");
    QTest::addColumn<int>("status");

    QTest::newRow("clean") << false << QString() << 0;
    QTest::newRow("a warning") << false << u"warnings"_s << 1;
    QTest::newRow("a name never shown") << false << u"unreadNames"_s << 1;
    QTest::newRow("a name never set") << false << u"unknownNames"_s << 1;
    QTest::newRow("a refused file") << false << u"refusedFiles"_s << 1;
    QTest::newRow("an overflowing text") << false << u"overflows"_s << 1;
    QTest::newRow("a late clock") << false << u"lateness"_s << 1;
    QTest::newRow("refused outweighs warnings") << true << u"warnings"_s << 2;
}

void TestPreview::exitStatus()
{
    QFETCH(bool, refused);
    QFETCH(QString, finding);
    QFETCH(int, status);
    PreviewReport report;
    if (refused)
        report.refusal = u"No scoreboard movie"_s;
    const QString line = u"x"_s;
    if (finding == u"warnings")
        report.warnings = {line};
    else if (finding == u"unreadNames")
        report.unreadNames = {line};
    else if (finding == u"unknownNames")
        report.unknownNames = {line};
    else if (finding == u"refusedFiles")
        report.refusedFiles = {line};
    else if (finding == u"overflows")
        report.overflows = {line};
    else if (finding == u"lateness")
        report.states = {{u"Clock 59.9"_s,
                          {{u"3840x2160"_s,
                            QSize(3840, 2160),
                            true,
                            {},
                            40,
                            PreviewReport::LateClockMs + 1,
                            {}}},
                          true}};
    QCOMPARE(report.exitStatus(), status);
    // Whatever is wrong is in the words a board author reads.
    if (!finding.isEmpty() && finding != u"lateness")
        QVERIFY(report.text().contains(u"\n  "_s + line + u'\n'));
}

void TestPreview::contactSheetEscapesTheBoard()
{
    // A board's path and its warnings are anyone's text: the contact sheet shows them as text.
    PreviewReport report;
    report.board = u"<script>alert(1)</script>.qml"_s;
    report.warnings = {u"qml: <img src=x onerror=alert(2)>"_s};
    const QString html = report.html();
    QVERIFY(!html.contains(u"<script>"_s));
    QVERIFY(!html.contains(u"<img src=x"_s));
    QVERIFY(html.contains(u"&lt;script&gt;"_s));
}

void TestPreview::picturesReadBack_data()
{
    QTest::addColumn<QImage>("picture");

    const auto gradient = [](int width, int height) {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) & 0xff));
        }
        return image;
    };
    QTest::newRow("a pixel") << gradient(1, 1);
    QTest::newRow("rows of an odd width") << gradient(229, 171);
    QImage flat(1920, 1080, QImage::Format_RGB32);
    flat.fill(QColor(0x10, 0x20, 0x40));
    QTest::newRow("a board's flat colour") << flat;
}

void TestPreview::picturesReadBack()
{
    // What the preview writes is a PNG any reader takes, with the frame's pixels.
    QFETCH(QImage, picture);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"picture.png"_s);
    QVERIFY(WriteOpaquePng(picture, path));
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));
}

void TestPreview::movieOfAFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("movie");

    QTest::newRow("a gallery board") << QStringList{u"board.qml"_s} << u"board.qml"_s;
    // The movie the program would play from that folder.
    QTest::newRow("a program's folder")
        << QStringList{u"board.qml"_s, u"brevanto.dll"_s} << u"brevanto.dll"_s;
    // Named, it is the one looked for, there or not.
    QTest::newRow("an empty folder") << QStringList{} << u"board.qml"_s;
}

void TestPreview::movieOfAFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QString, movie);
    QTemporaryDir folder;
    for (const QString &file : files)
        QVERIFY(HostileMovies::Write(folder.filePath(file), "import QtQuick\nItem {}\n"));
    QCOMPARE(QFileInfo(BoardMovie(folder.path())).fileName(), movie);
    QCOMPARE(QFileInfo(BoardMovie(folder.path() + u'/')).fileName(), movie);
    // A file is its own movie, whatever its folder holds.
    const QString named = folder.filePath(u"other.qml"_s);
    QCOMPARE(BoardMovie(named), named);
}

void TestPreview::namesRead_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("names"); // "name@line", "[name]@line" when in brackets

    QTest::newRow("a binding") << u"text: board.clock ?? \"0.0\""_s << QStringList{u"clock@1"_s};
    QTest::newRow("brackets, either quote") << u"board[\"name_a\"] + board['name_b']"_s
                                            << QStringList{u"[name_a]@1"_s, u"[name_b]@1"_s};
    QTest::newRow("optional chaining") << u"board?.period"_s << QStringList{u"period@1"_s};
    QTest::newRow("lines counted across comments and strings")
        << u"/* board.a\n */ x: `board.b\n` // board.c\ny: board.fouls_a"_s
        << QStringList{u"fouls_a@4"_s};
    // A quote in a regular expression opens no string.
    QTest::newRow("a regular expression")
        << u"v.replace(/[\"']/g, \"\") + board.faults_b"_s << QStringList{u"faults_b@1"_s};
    QTest::newRow("a division is no regular expression")
        << u"(a) / 2 + board.s_min / board.s_sec"_s << QStringList{u"s_min@1"_s, u"s_sec@1"_s};
    QTest::newRow("the map's own calls, another object's board")
        << u"board.keys(); team.board.name; property var scoreboard: 1"_s << QStringList{};
}

void TestPreview::namesRead()
{
    QFETCH(QString, code);
    QFETCH(QStringList, names);
    QStringList found;
    for (const NameRead &read : NamesRead(code))
        found.append((read.bracketed ? u'[' + read.name + u']' : read.name) + u'@' +
                     QString::number(read.line));
    QCOMPARE(found, names);
}

void TestPreview::nearestName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("nearest");

    QTest::newRow("fouls for faults") << u"fouls_a"_s << u"faults_a"_s;
    QTest::newRow("a letter missing") << u"clok"_s << u"clock"_s;
    QTest::newRow("capitals") << u"Name_B"_s << u"name_b"_s;
    QTest::newRow("another word") << u"points"_s << u"points_a"_s;
    QTest::newRow("nothing near") << u"colour"_s << QString();
}

void TestPreview::nearestName()
{
    QFETCH(QString, name);
    QFETCH(QString, nearest);
    QCOMPARE(NearestName(name), nearest);
}

void TestPreview::refusedFiles_data()
{
    // The board's line 3 asks for `written`; FOLDER is the board's folder.
    QTest::addColumn<QString>("written");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("lines");

    const QString asked = u"file://FOLDER/board.qml:3:5: QML Image: Cannot open: "_s;
    QTest::newRow("outside, the engine naming the file")
        << u"/elsewhere/x.png"_s
        << QStringList{u"Scoreboard movie: file:///elsewhere/x.png is refused: outside the "_s
                       u"board's folder"_s,
                       asked + u"file:///elsewhere/x.png"_s}
        << QStringList{u"board.qml:3 asks for \"/elsewhere/x.png\", which is refused: "_s
                       u"outside the board's folder; copy it into the board's folder and name it "_s
                       u"from there"_s};
    QTest::newRow("too large, the engine naming another file")
        << u"big.png"_s
        << QStringList{asked + u"file:///nonexistent/x"_s,
                       u"Scoreboard movie: FOLDER/big.png is refused: too large"_s}
        << QStringList{u"board.qml:3 asks for \"big.png\", which is refused: too large; make it "_s
                       u"smaller: 64 KiB for a QML or script file, 8 MiB for a picture or font"_s};
    QTest::newRow("a reason in older words, asked nowhere")
        << u"big.png"_s
        << QStringList{u"Scoreboard movie: FOLDER/pipe is refused (not a file, or too large)"_s}
        << QStringList{u"\"FOLDER/pipe\", which is refused: not a file, or too large"_s};
    QTest::newRow("no refusal") << u"/elsewhere/x.png"_s
                                << QStringList{asked + u"file:///elsewhere/x.png"_s}
                                << QStringList{};
}

void TestPreview::refusedFiles()
{
    QFETCH(QString, written);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, lines);
    QTemporaryDir root;
    const QString folder = root.filePath(u"a/b"_s);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(HostileMovies::Write(folder + u"/board.qml"_s,
                                 "import QtQuick\nItem {\n    Image { source: \"" +
                                     written.toUtf8() + "\" }\n}\n"));
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    warnings.replaceInStrings(u"FOLDER"_s, canonical);
    lines.replaceInStrings(u"FOLDER"_s, canonical);
    QCOMPARE(RefusedFiles(warnings, folder), lines);
}

void TestPreview::authorsMistakes_data()
{
    QTest::addColumn<QString>("section"); // of the report
    QTest::addColumn<QString>("line");

    QTest::newRow("a misspelt name")
        << u"unknownNames"_s
        << u"board.fouls_a in board.qml:7 is no name the program sets; did you mean faults_a?"_s;
    QTest::newRow("a picture outside the folder")
        << u"refusedFiles"_s
        << u"board.qml:8 asks for \"PICTURE\", which is refused: outside the board's folder; "_s
           u"copy it into the board's folder and name it from there"_s;
    QTest::newRow("glyphs out of their box")
        << u"overflows"_s
        << u"board.qml:9: Text \"8\" (unelided): its glyphs reach 149 px below its box, 74 px "_s
           u"past the right edge of its box; mend: elide it (elide: Text.ElideRight), let it "_s
           u"shrink (fontSizeMode: Text.HorizontalFit) or give it a wider box (in every state)"_s;
    QTest::newRow("glyphs out of their box, elided")
        << u"overflows"_s
        << u"board.qml:10: Text \"8\" (elided): its glyphs reach 149 px below its box, 74 px "_s
           u"past the right edge of its box; mend: a smaller font, fontSizeMode: Text.Fit to let "_s
           u"it shrink, or a taller box (in every state)"_s;
    QTest::newRow("a name of 40 characters elided")
        << u"overflows"_s
        << u"board.qml:12: Text \"WWWWWWWWWWMMMMMMMMMMWWWWWWWWWWMMMMMMMMMM\": shows only 3 of "_s
           u"its 40 characters (elided); mend: give it room (a wider box, a smaller font, or "_s
           u"fontSizeMode: Text.HorizontalFit with a smaller minimumPixelSize) (in: Names of 40 "_s
           u"characters)"_s;
    QTest::newRow("the name misspelt shows nothing") << u"unreadNames"_s << u"faults_a"_s;
}

void TestPreview::authorsMistakes()
{
    QFETCH(QString, section);
    QFETCH(QString, line);
    const MistakenBoard &board = Mistaken();
    QCOMPARE(board.report.exitStatus(), 1);
    line.replace(u"PICTURE"_s, board.picture);
    const QStringList lines = section == u"unknownNames"   ? board.report.unknownNames
                              : section == u"refusedFiles" ? board.report.refusedFiles
                              : section == u"overflows"    ? board.report.overflows
                                                           : board.report.unreadNames;
    QVERIFY2(lines.contains(line), qPrintable(lines.join(u'\n')));
}

void TestPreview::costsPerState()
{
    // Every state timed as the program redraws it on each projector: the clock in every state,
    // a point once there are points; the operator window only as a whole picture.
    const PreviewReport &report = Mistaken().report;
    QCOMPARE(report.states.size(), 19);
    for (const PreviewReport::State &state : report.states) {
        const bool hasPoints = state.title != report.states.first().title;
        for (const PreviewReport::Picture &picture : state.pictures) {
            QVERIFY(picture.drawnMs > 0);
            QCOMPARE(picture.clockMs.has_value(), picture.projector);
            QCOMPARE(picture.pointMs.has_value(), picture.projector && hasPoints);
        }
    }
    // Only what changed is redrawn: a change of the clock costs less than the whole picture.
    QVERIFY(*report.clockMedianMs(u"3840x2160"_s) < report.states.at(1).pictures.last().drawnMs);
}

void TestPreview::hostileMovies_data()
{
    QTest::addColumn<int>("index");
    // The boards the preview refuses, for the reason the program gives: those refused at once,
    // and those whose fault the preview's states set off (the clock run out, not team A's
    // point). A board that plays, faults and all, is previewed like any other board: the
    // gallery's previews are those runs.
    const auto cases = HostileMovies::Cases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const HostileMovies::Case &hostile = cases[i];
        if (hostile.outcome == Outcome::Refused ||
            (hostile.outcome != Outcome::Plays &&
             hostile.trigger != HostileMovies::Trigger::PointsA))
            QTest::newRow(hostile.name) << int(i);
    }
}

void TestPreview::hostileMovies()
{
    // Refused for the reason the program gives, and whatever loops or grows ended, not waited
    // for: the preview comes back with a report in every case.
    QFETCH(int, index);
    const HostileMovies::Case &hostile = HostileMovies::Cases()[std::size_t(index)];
    if (hostile.linked && !HostileMovies::MakesLinks())
        QSKIP(LinksWaived);
    QTemporaryDir folder;
    QTemporaryDir out;
    const QString path = folder.filePath(u"brevanto.dll"_s);
    QVERIFY(hostile.make(path));
    const PreviewReport report = BoardPreview().run(path, QDir(out.path()));
    if (hostile.cleanUp)
        hostile.cleanUp(path);
    QCOMPARE(report.exitStatus(), 2);
    if (hostile.reason == MovieOutcome::Crashed && RunsUnderWine())
        QSKIP("waived: Wine does not end a process whose stack overflows, as Windows does; the "
              "board is ended for not answering instead");
    if (hostile.reason != MovieOutcome::Playing)
        QCOMPARE(report.refusal.value_or(QString()), NoticeText(hostile.reason));
    if (hostile.refusal)
        QVERIFY2(Says(report.refusedFiles, *hostile.refusal), qPrintable(report.text()));
    if (hostile.neverWritten)
        QVERIFY(!QFileInfo::exists(folder.filePath(QString::fromUtf8(hostile.neverWritten))));
}

void TestPreview::refusedFilesAreSaid_data()
{
    // The boards that play without what the sandbox refuses them.
    QTest::addColumn<int>("index");
    const auto cases = HostileMovies::Cases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].outcome == Outcome::Plays && cases[i].refusal)
            QTest::newRow(cases[i].name) << int(i);
    }
}

void TestPreview::refusedFilesAreSaid()
{
    // The author reads what is refused and why, as the preview lists it, and it is not drawn:
    // the board's first frame is enough, not the preview's every state.
    QFETCH(int, index);
    const HostileMovies::Case &hostile = HostileMovies::Cases()[std::size_t(index)];
    if (hostile.linked && !HostileMovies::MakesLinks())
        QSKIP(LinksWaived);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"brevanto.dll"_s);
    QVERIFY(hostile.make(path));
    const auto cleanUp = qScopeGuard([&] {
        if (hostile.cleanUp)
            hostile.cleanUp(path);
    });
    BoardLink link(BoardLink::Audience::Author);
    QStringList warnings;
    connect(&link, &BoardLink::warned, this, [&](const QString &line) { warnings.append(line); });
    link.frames().setSize(PreviewSizes().first().pixels, 1);
    link.load(path);
    QTRY_VERIFY_WITH_TIMEOUT(link.isPlaying() || !link.notice().isEmpty(),
                             2 * BoardProcess::LoadLimit.count());
    QVERIFY2(link.isPlaying(), qPrintable(link.notice()));
    const QString boardFolder = QFileInfo(QFileInfo(path).canonicalFilePath()).path();
    QTRY_VERIFY2(Says(RefusedFiles(warnings, boardFolder), *hostile.refusal),
                 qPrintable(warnings.join(u'\n')));
    if (hostile.forbidden)
        QVERIFY(!HostileMovies::Shows(link.shown(), *hostile.forbidden));
    if (hostile.neverWritten)
        QVERIFY(!QFileInfo::exists(folder.filePath(QString::fromUtf8(hostile.neverWritten))));
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
