// SPDX-License-Identifier: GPL-3.0-or-later
// What a hotkey costs the operator window: from the key-down in the key catcher to the seventh
// board variable sent, with the real movie loaded and drawn now and then so that its bindings
// are live; and one board refresh alone (seven SetVariable calls) on the display control.
//
// Usage: refresh_display [strokes]     100000 strokes when not given; run it offscreen:
//   QT_QPA_PLATFORM=offscreen build/bin/refresh_display
// Goal: key-down to seven variables, p99 under 0.2 ms.

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
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace Qt::StringLiterals;
using std::chrono::nanoseconds;

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

// Wall-clock and thread-time samples of one measured step.
struct Samples
{
    std::vector<nanoseconds> wall;
    std::vector<nanoseconds> thread;
};

// Times one call of `step` into the samples.
template <typename Step> void Measure(Samples &samples, Step step)
{
    QElapsedTimer wall;
    const nanoseconds threadStart = ThreadTime();
    wall.start();
    step();
    samples.wall.push_back(nanoseconds(wall.nsecsElapsed()));
    samples.thread.push_back(ThreadTime() - threadStart);
}

double Milliseconds(nanoseconds value)
{
    return std::chrono::duration<double, std::milli>(value).count();
}

void Report(const char *what, const char *clock, std::vector<nanoseconds> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&samples](double share) {
        const auto rank = static_cast<std::size_t>(std::ceil(share * double(samples.size())));
        return Milliseconds(samples[std::max<std::size_t>(rank, 1) - 1]);
    };
    std::printf("%-30s %-6s n=%zu  median %.4f ms  p99 %.4f ms  p99.9 %.4f ms  max %.4f ms\n", what,
                clock, samples.size(), at(0.5), at(0.99), at(0.999), Milliseconds(samples.back()));
}

void Report(const char *what, Samples samples)
{
    Report(what, "wall", std::move(samples.wall));
    Report(what, "thread", std::move(samples.thread));
}

// Runs the event loop until the board has drawn a frame (or 100 ms have passed).
void DrawFrame(const int &frames)
{
    const int before = frames;
    QElapsedTimer waited;
    waited.start();
    while (frames == before && waited.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
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
    int frames = 0;
    QObject::connect(board, &DisplayControl::frameShown, &app, [&frames] { ++frames; });
    DrawFrame(frames);
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
            DrawFrame(frames);
    }
    Report("key-down to seven variables", keyDown);
    Report("  a text changed", changing);
    Report("  no text changed (F12)", unchanged);
    std::printf("%34s %d frames drawn in between\n", "", frames);

    // The refresh alone: seven variables with the texts a game sends.
    Samples refresh;
    const int framesBefore = frames;
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
            DrawFrame(frames);
    }
    Report("one refresh (7 x SetVariable)", refresh);
    std::printf("%34s %d frames drawn in between\n", "", frames - framesBefore);
    return 0;
}
