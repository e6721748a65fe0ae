// SPDX-License-Identifier: GPL-3.0-or-later
// How long a hostile file where the scoreboard movie should be holds up the operator window.
//
// In process: the time the display control's setMovie takes (the load step waits for it) and
// the time until the board shows the movie or its notice, over several fresh controls. Whole
// program: the real program copied beside each file, from its start to its window being shown,
// against the same with the real movie; then whether it is still running a second later.
//
// Usage: hostile_movies [repeats] [items...]
//        repeats: fresh controls, and program runs, per file; 3 when not given
//        items:   sizes of a Repeater in an otherwise honest movie, 10000 and 100000 when not given
// Goal:  no file delays the window by more than a second.

#include "benchsupport.h"
#include "displaycontrol.h"
#include "formfixture.h"
#include "hostilemovies.h"
#include "scratchprogram.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace std::chrono_literals;
using namespace Bench;

namespace {

struct Row
{
    QString name;
    std::function<bool(const QString &path)> make;
    // What make() leaves beyond the reach of the folder's own removal.
    void (*cleanUp)(const QString &path) = nullptr;
};

// The real movie and its parts folder, copied beside the path.
bool CopyRealMovie(const QString &path)
{
    const QDir bin(QStringLiteral(BREVANTO_BIN));
    const QDir target = QFileInfo(path).dir();
    if (!QFile::copy(bin.filePath(QStringLiteral("brevanto.dll")), path) ||
        !target.mkpath(QStringLiteral("scoreboard")))
        return false;
    const QDir parts(bin.filePath(QStringLiteral("scoreboard")));
    for (const QString &part : parts.entryList({QStringLiteral("*.qml")}, QDir::Files)) {
        if (!QFile::copy(parts.filePath(part),
                         target.filePath(QStringLiteral("scoreboard/")) + part))
            return false;
    }
    return true;
}

// An honest movie that lays out a great many small items.
QByteArray RepeaterDocument(int items)
{
    return "import QtQuick\nItem {\n    width: 400; height: 300\n    Repeater {\n        model: " +
           QByteArray::number(items) +
           "\n        Rectangle { x: index % 400; y: index % 300; width: 2; height: 2 }\n"
           "    }\n}\n";
}

void InProcess(const std::vector<Row> &rows, int repeats)
{
    std::printf("In process: display control, setMovie and the board settled (ms; median, max of "
                "%d)\n",
                repeats);
    std::printf("%-34s %9s %9s %9s %9s  %s\n", "file", "load", "load max", "frame", "frame max",
                "outcome");
    for (const Row &row : rows) {
        std::vector<double> loads;
        std::vector<double> frames;
        QString outcome;
        for (int i = 0; i < repeats; ++i) {
            QTemporaryDir folder;
            const QString path = folder.filePath(QStringLiteral("brevanto.dll"));
            if (!row.make(path)) {
                outcome = QStringLiteral("(could not make the file)");
                break;
            }
            DisplayControl control;
            control.resize(686, 513);
            QElapsedTimer clock;
            clock.start();
            control.setMovie(path);
            loads.push_back(double(clock.nsecsElapsed()) / 1e6);
            WaitForBoard(&control);
            frames.push_back(double(clock.nsecsElapsed()) / 1e6);
            outcome = control.isMovieLoaded() ? QStringLiteral("plays") : control.notice();
            if (row.cleanUp)
                row.cleanUp(path);
        }
        if (loads.empty()) {
            std::printf("%-34s %s\n", qPrintable(row.name), qPrintable(outcome));
            continue;
        }
        std::printf("%-34s %9.1f %9.1f %9.1f %9.1f  %s\n", qPrintable(row.name), Median(loads),
                    Max(loads), Median(frames), Max(frames), qPrintable(outcome));
        std::fflush(stdout);
    }
}

void WholeProgram(const std::vector<Row> &rows, int repeats)
{
    std::printf("\nWhole program: start to window shown (ms, median of %d; the splash takes 2000), "
                "delay against the real movie\n",
                repeats);
    std::printf("%-34s %9s %9s  %-9s %s\n", "file", "shown", "delay", "1 s on", "board");
    double baseline = 0;
    for (const Row &row : rows) {
        std::vector<double> shownAfter;
        bool running = true;
        QString board;
        for (int i = 0; i < repeats; ++i) {
            ScratchProgram program{QStringLiteral(BREVANTO_PROGRAM)};
            if (!program.isValid() || !row.make(program.file(QStringLiteral("brevanto.dll")))) {
                board = QStringLiteral("(could not prepare the folder)");
                break;
            }
            program.start();
            const auto shown = program.waitShown(60s);
            if (row.cleanUp)
                row.cleanUp(program.file(QStringLiteral("brevanto.dll")));
            if (!shown) {
                board = QStringLiteral("(not shown within 60 s)");
                break;
            }
            shownAfter.push_back(double(shown->after.count()));
            board = shown->fields.value(1);
            running = running && program.keepsRunningFor(1s);
        }
        if (shownAfter.empty()) {
            std::printf("%-34s %s\n", qPrintable(row.name), qPrintable(board));
            continue;
        }
        const double after = Median(shownAfter);
        if (&row == &rows.front())
            baseline = after;
        std::printf("%-34s %9.0f %9.0f  %-9s %s\n", qPrintable(row.name), after, after - baseline,
                    running ? "running" : "ENDED", qPrintable(board));
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int repeats = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 3;
    std::vector<int> sizes;
    for (qsizetype i = 2; i < arguments.size(); ++i)
        sizes.push_back(arguments.at(i).toInt());
    if (sizes.empty())
        sizes = {10000, 100000};

    std::vector<Row> rows{{QStringLiteral("the real movie (baseline)"), CopyRealMovie}};
    for (const HostileMovies::Case &hostile : HostileMovies::Cases())
        rows.push_back({QString::fromLatin1(hostile.name), hostile.make, hostile.cleanUp});
    for (const int items : sizes) {
        rows.push_back(
            {QStringLiteral("Repeater of %1 items").arg(items), [items](const QString &path) {
                 return HostileMovies::Write(path, RepeaterDocument(items));
             }});
    }

    InProcess(rows, repeats);
    WholeProgram(rows, repeats);
    return 0;
}
