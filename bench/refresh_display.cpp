// SPDX-License-Identifier: GPL-3.0-or-later
// What a hotkey costs the operator window: from the key-down in the key catcher to the seventh
// board variable sent, with the real movie loaded and drawn now and then so that its bindings
// are live; and one board refresh alone (seven SetVariable calls) on the display control.
//
// Usage: refresh_display [strokes]     100000 strokes when not given; run it offscreen:
//   QT_QPA_PLATFORM=offscreen build/bin/refresh_display
// Goal: key-down to seven variables, p99 under 0.2 ms.

#include "benchsupport.h"
#include "displaycontrol.h"
#include "form1.h"
#include "formfixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using std::chrono::nanoseconds;
using namespace Bench;

namespace {

// Draw the board every this many strokes, as a running program would between key strokes.
constexpr int StrokesPerFrame = 100;
constexpr int Refreshes = 10000;

struct Stroke
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
// A game's keys: points and fouls up and down (the board's texts change), the period, and a key
// without a meaning (F12) that runs the refresh alone.
constexpr std::array<Stroke, 8> Game{{{Qt::Key_1, Qt::NoModifier},
                                      {Qt::Key_9, Qt::NoModifier},
                                      {Qt::Key_F1, Qt::NoModifier},
                                      {Qt::Key_F12, Qt::NoModifier},
                                      {Qt::Key_P, Qt::NoModifier},
                                      {Qt::Key_1, Qt::ShiftModifier},
                                      {Qt::Key_F1, Qt::ShiftModifier},
                                      {Qt::Key_P, Qt::ShiftModifier}}};

// The time this thread has run: unlike the wall clock, it leaves out the moments the machine gave
// to other processes, which on a shared machine make most of the wall clock's tail.
nanoseconds ThreadTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + nanoseconds(now.tv_nsec);
}

// Wall-clock and thread-time samples of one measured step, in milliseconds.
struct Samples
{
    std::vector<double> wall;
    std::vector<double> thread;
};

// Times one call of `step` into the samples.
template <typename Step> void Measure(Samples &samples, Step step)
{
    QElapsedTimer wall;
    const nanoseconds threadStart = ThreadTime();
    wall.start();
    step();
    samples.wall.push_back(double(wall.nsecsElapsed()) / 1e6);
    samples.thread.push_back(Milliseconds(ThreadTime() - threadStart));
}

void Report(const char *what, const char *unit, Samples samples)
{
    const auto label = [what](const char *clock) {
        return QStringLiteral("%1 %2").arg(QLatin1String(what), -30).arg(QLatin1String(clock));
    };
    PrintDistribution(qPrintable(label("wall")), std::move(samples.wall), {0.5, 0.99, 0.999}, 4,
                      unit);
    PrintDistribution(qPrintable(label("thread")), std::move(samples.thread), {0.5, 0.99, 0.999}, 4,
                      unit);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int strokes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;

    ConsoleServices services;
    services.splashInterval = std::chrono::milliseconds(1);
    Form1 form(services);
    form.Form_Load();
    form.show();
    DisplayControl *board = form.display();
    WaitForBoard(board);
    if (!board->isMovieLoaded()) {
        std::fprintf(stderr, "the movie was not loaded: %s\n", qPrintable(board->notice()));
        return 1;
    }
    // Drawn now and then: the control's paints of the board's frames.
    PaintObserver paints(board);
    const auto drawFrame = [&paints] { paints.waitForPaint(100ms); };
    drawFrame();
    auto *teclado = form.findChild<QLineEdit *>(u"Teclado"_s);

    // All strokes, and apart those that change a board text and the key without a meaning.
    Samples keyDown, changing, unchanged;
    for (int i = 0; i < strokes; ++i) {
        const Stroke &stroke = Game[std::size_t(i) % Game.size()];
        QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers);
        QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers);
        Measure(keyDown, [&] { QApplication::sendEvent(teclado, &press); });
        Samples &kind = stroke.key == Qt::Key_F12 ? unchanged : changing;
        kind.wall.push_back(keyDown.wall.back());
        kind.thread.push_back(keyDown.thread.back());
        QApplication::sendEvent(teclado, &release);
        if (i % StrokesPerFrame == StrokesPerFrame - 1)
            drawFrame();
    }
    Report("key-down to seven variables", "strokes", keyDown);
    Report("  a text changed", "strokes", changing);
    Report("  no text changed (F12)", "strokes", unchanged);
    std::printf("%37s %zu frames drawn in between\n", "", paints.count());

    // The refresh alone: seven variables with the texts a game sends.
    Samples refresh;
    const std::size_t framesBefore = paints.count();
    for (int i = 0; i < Refreshes; ++i) {
        const QString points = QString::number(i % 1000).rightJustified(3, u'0');
        const QString fouls = QString::number(i % 100).rightJustified(2, u'0');
        const QString period = QString::number(i % 9 + 1);
        Measure(refresh, [&] {
            board->SetVariable(u"period"_s, period);
            board->SetVariable(u"name_a"_s, u"Tigers"_s);
            board->SetVariable(u"name_b"_s, u"Northern Lights"_s);
            board->SetVariable(u"points_a"_s, points);
            board->SetVariable(u"points_b"_s, points);
            board->SetVariable(u"faults_a"_s, fouls);
            board->SetVariable(u"faults_b"_s, fouls);
        });
        if (i % StrokesPerFrame == StrokesPerFrame - 1)
            drawFrame();
    }
    Report("one refresh (7 x SetVariable)", "refreshes", refresh);
    std::printf("%37s %zu frames drawn in between\n", "", paints.count() - framesBefore);
    return 0;
}
