// SPDX-License-Identifier: GPL-3.0-or-later
// How late the board reaches the screen: the operator window full screen under a real X server,
// its clock counting down, and a thread of our own sampling the X server's picture of the clock
// (XShmGetImage, about 1 kHz). Each change seen on the screen is set against the moment the
// clock's text truly changes; then a hundred hotkeys set against the moment of their
// SetVariable, sampled on team A's points.
//
// The program's own code says where and when to look: the bands sampled are placed by the
// board's stage and movie (MovieLoader, loaded here without a window at the control's size),
// and the clock's moments follow from when Play was called, the value the clock rested at and
// NextClockTextChange. The program's part of each delay is when the display control painted
// (its Paint events); how late the clock itself wakes is clock_lateness's to measure.
//
// Usage, at the screen size the board is measured at:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/screen_latency [m:ss]   (default 2:05)

#include "benchsupport.h"
#include "clockchanges.h"
#include "clocktext.h"
#include "displaycontrol.h"
#include "form1.h"
#include "formfixture.h"
#include "movieloader.h"
#include "screensampler.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlPropertyMap>
#include <QQuickItem>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using namespace Bench;
using std::chrono::nanoseconds;

namespace {

// What is sampled, in screen pixels: a band of rows through the middle of the clock's digits
// and one through team A's points. A band through the middle crosses the middle bar and the
// ends of the four upright ones, so any two digits differ in it.
struct Bands
{
    QRect clock;
    QRect points;
};

// The bands where the board draws them on a display control at `control` (device pixels on the
// screen): the real movie on the board's own stage at the control's size, which scales and
// centres it as the board's process does; each band mapped from the movie's item to the stage.
std::optional<Bands> BoardBands(const QRect &control)
{
    QQmlPropertyMap board;
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(u"board"_s, &board);
    QQmlComponent component(&engine, MovieLoader::StageUrl());
    const std::unique_ptr<QObject> created(component.create());
    auto *stage = qobject_cast<QQuickItem *>(created.get());
    if (!stage) {
        std::fprintf(stderr, "screen_latency: the stage: %s\n",
                     qPrintable(component.errorString()));
        return std::nullopt;
    }
    stage->setSize(control.size());
    MovieLoader loader(&engine, stage);
    loader.load(QCoreApplication::applicationDirPath() + u"/brevanto.dll"_s);
    if (!loader.movie()) {
        std::fprintf(stderr, "screen_latency: the movie beside the program does not load\n");
        return std::nullopt;
    }
    // A band `rows` high (in the movie's design units) through the middle of an item.
    const auto band = [&](const QQuickItem *item, qreal rows) -> QRect {
        if (!item)
            return {};
        const QRectF middle(0, (item->height() - rows) / 2, item->width(), rows);
        const QRect onStage = item->mapRectToItem(stage, middle).toAlignedRect();
        return onStage.translated(control.topLeft()) & control;
    };
    const QQuickItem *movie = loader.movie();
    const auto *team = movie->findChild<QQuickItem *>(u"team_a"_s);
    const Bands bands{band(movie->findChild<QQuickItem *>(u"clock"_s), 90),
                      band(team ? team->findChild<QQuickItem *>(u"points"_s) : nullptr, 80)};
    if (bands.clock.isEmpty() || bands.points.isEmpty()) {
        std::fprintf(stderr, "screen_latency: no clock or points of team A in the movie\n");
        return std::nullopt;
    }
    return bands;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const double start = StartSeconds(argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"2:05"_s);
    if (std::isnan(start)) {
        std::fprintf(stderr, "usage: screen_latency [m:ss]\n");
        return 2;
    }

    ConsoleServices services;
    services.splashInterval = 1ms;
    Form1 form(services);
    form.Form_Load();
    form.show();
    DisplayControl *board = form.display();
    if (!WaitForBoard(board) || !board->isMovieLoaded()) {
        std::fprintf(stderr, "screen_latency: the movie does not play\n");
        return 1;
    }
    const auto control = [&form](const char *name) {
        return form.findChild<QWidget *>(QLatin1String(name));
    };
    const double minutes = std::floor(start / 60);
    static_cast<QLineEdit *>(control("Minutos"))->setText(QString::number(minutes));
    static_cast<QLineEdit *>(control("segundos"))->setText(QString::number(start - minutes * 60));
    static_cast<QPushButton *>(control("Command3"))->click();
    static_cast<QPushButton *>(control("Command4"))->click();
    Wait(1500ms); // the board drawn full screen

    const qreal ratio = board->devicePixelRatioF();
    const QRect onScreen(board->mapToGlobal(QPoint(0, 0)) * ratio, board->size() * ratio);
    const std::optional<Bands> bands = BoardBands(onScreen);
    if (!bands)
        return 1;
    ScreenSampler sampler({bands->clock, bands->points});
    if (!sampler.start()) {
        std::fprintf(stderr, "screen_latency: no X server with the shared-memory extension\n");
        return 1;
    }
    Wait(200ms);

    // The value the clock rests at, and the moment Play is called on the control: the
    // countdown's changes are due from then.
    const auto reading = [board](const char *name) {
        return board->GetVariable(QLatin1String(name)).toLongLong();
    };
    const nanoseconds resting = std::chrono::minutes(reading("min")) +
                                std::chrono::seconds(reading("sec")) +
                                std::chrono::milliseconds(reading("mil"));
    std::optional<Clock::time_point> played;
    QObject::connect(board, &DisplayControl::called, &app, [&played](const QString &operation) {
        if (operation == QLatin1String("Play"))
            played = Clock::now();
    });
    // When the control put each frame on the screen: the part of the delay that is the
    // program's, the rest being the X server's and the sampling's.
    PaintObserver paints(board);

    // The countdown, to its end.
    static_cast<QPushButton *>(control("Command1"))->click();
    if (!played) {
        std::fprintf(stderr, "screen_latency: Play did not start the clock\n");
        return 1;
    }
    const std::vector<ClockChange> changes = ClockChanges(*played, resting);
    const Clock::time_point deadline = *played + resting;
    Wait(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()) + 500ms);

    // Hotkeys: key 1 raises team A's points; the refresh sends them at once.
    auto *teclado = control("Teclado");
    std::vector<Clock::time_point> strokes;
    for (int i = 0; i < 100; ++i) {
        strokes.push_back(Clock::now());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, u"1"_s);
        QApplication::sendEvent(teclado, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, u"1"_s);
        QApplication::sendEvent(teclado, &release);
        Wait(150ms);
    }
    sampler.stop();

    std::vector<double> seenMinutes, seenTenths;
    for (const ScreenSampler::Seen &seen : sampler.changes(0)) {
        const ClockChange &change = NearestChange(changes, seen.estimate());
        (change.minutes ? seenMinutes : seenTenths)
            .push_back(Milliseconds(seen.estimate() - change.due));
    }
    std::vector<double> paintedMinutes, paintedTenths;
    for (const Clock::time_point time : paints.times()) {
        if (time < *played || time > deadline + 100ms)
            continue;
        const ClockChange &change = NearestChange(changes, time);
        (change.minutes ? paintedMinutes : paintedTenths)
            .push_back(Milliseconds(time - change.due));
    }
    // A change came after its stroke: of the samples' interval only the part after the stroke
    // counts, else a change seen within a sample of its stroke would be taken for the stroke
    // before's, 150 ms late.
    std::vector<double> hotkeys;
    for (const ScreenSampler::Seen &seen : sampler.changes(1)) {
        const auto next = std::upper_bound(strokes.begin(), strokes.end(), seen.after);
        if (next == strokes.begin())
            continue;
        const Clock::time_point stroke = *std::prev(next);
        const ScreenSampler::Seen sinceStroke{std::max(seen.before, stroke), seen.after};
        hotkeys.push_back(Milliseconds(sinceStroke.estimate() - stroke));
    }
    std::vector<double> paintedHotkeys;
    for (const Clock::time_point stroke : strokes) {
        const auto time = std::lower_bound(paints.times().begin(), paints.times().end(), stroke);
        if (time != paints.times().end())
            paintedHotkeys.push_back(Milliseconds(*time - stroke));
    }
    const QSize screen = form.screen()->geometry().size() * ratio;
    const auto text = [](const QRect &r) {
        return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
    };
    std::printf("screen %dx%d, board %s, sampled: clock %s, points %s\n", screen.width(),
                screen.height(), qPrintable(text(onScreen)), qPrintable(text(bands->clock)),
                qPrintable(text(bands->points)));
    std::printf("countdown from %s, %zu changes\n", qPrintable(ClockText(resting)), changes.size());
    PrintDistribution("clock above one minute (m:ss)", seenMinutes);
    PrintDistribution("clock in the last minute (s.t)", seenTenths);
    PrintDistribution("SetVariable to screen (hotkey 1)", hotkeys);
    PrintDistribution("  of it the program's", paintedHotkeys);
    PrintDistribution("  of it the program's: m:ss", paintedMinutes);
    PrintDistribution("  of it the program's: s.t", paintedTenths);
    return 0;
}
