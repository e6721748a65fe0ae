// SPDX-License-Identifier: GPL-3.0-or-later
// How late the board reaches the screen: the operator window full screen under a real X server,
// its clock counting down, and a thread of our own sampling the X server's picture of the clock
// (XShmGetImage, about 1 kHz). Each change seen on the screen is set against the moment the
// clock's text truly changes; then a hundred hotkeys set against the moment of their
// SetVariable, sampled on team A's points.
//
// Usage, at the screen size the board is measured at:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/screen_latency [m:ss]   (default 2:05)

#include "clockdriver.h"
#include "displaycontrol.h"
#include "form1.h"
#include "formfixture.h"
#include "screensampler.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Where our movie draws what is sampled, on its design canvas of 3430 x 2565: a band of rows
// through the middle of the clock's digits and of team A's points. A band through the middle
// crosses the middle bar and the ends of the four upright ones, so any two digits differ in it.
constexpr QSizeF Canvas(3430, 2565);
constexpr QRectF ClockBand(70, 520, 3290, 90);
constexpr QRectF PointsBand(70, 1740, 1230, 80);

// A canvas rectangle on a screen the board fills ("ShowAll": scaled to fit, centred).
QRect OnScreen(const QRectF &canvasRect, const QSize &screen)
{
    const double scale =
        std::min(screen.width() / Canvas.width(), screen.height() / Canvas.height());
    const double left = std::round((screen.width() - Canvas.width() * scale) / 2);
    const double top = std::round((screen.height() - Canvas.height() * scale) / 2);
    return QRect(int(left + canvasRect.x() * scale), int(top + canvasRect.y() * scale),
                 int(canvasRect.width() * scale), std::max(1, int(canvasRect.height() * scale)));
}

// The moment closest to `time` at which the board's clock text changes, for a countdown that
// reaches zero at `deadline`: whole seconds down to one minute, then every tenth.
Clock::time_point NearestChange(Clock::time_point time, Clock::time_point deadline)
{
    const double remaining = std::chrono::duration<double>(deadline - time).count();
    const double step = remaining > 60.05 ? 1.0 : 0.1;
    const double boundary = std::max(0.0, std::round(remaining / step) * step);
    return deadline -
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(boundary));
}

void Report(const char *what, std::vector<double> late)
{
    if (late.empty()) {
        std::printf("%-34s no changes seen\n", what);
        return;
    }
    std::sort(late.begin(), late.end());
    const auto at = [&late](double share) {
        return late[std::min(late.size() - 1, size_t(share * double(late.size())))];
    };
    std::printf("%-34s %5zu changes  p50 %6.2f ms  p90 %6.2f ms  p99 %6.2f ms  max %6.2f ms\n",
                what, late.size(), at(0.5), at(0.9), at(0.99), late.back());
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Runs the event loop for a while.
void Wait(std::chrono::milliseconds time)
{
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList start = (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("2:05"))
                                  .split(QLatin1Char(':'));
    if (start.size() != 2) {
        std::fprintf(stderr, "usage: screen_latency [m:ss]\n");
        return 2;
    }

    ConsoleServices services;
    services.splashInterval = 1ms;
    Form1 form(services);
    form.Form_Load();
    form.show();
    if (!WaitForBoard(form.display()) || !form.display()->isMovieLoaded()) {
        std::fprintf(stderr, "screen_latency: the movie does not play\n");
        return 1;
    }
    const auto control = [&form](const char *name) {
        return form.findChild<QWidget *>(QLatin1String(name));
    };
    static_cast<QLineEdit *>(control("Minutos"))->setText(start.at(0));
    static_cast<QLineEdit *>(control("segundos"))->setText(start.at(1));
    static_cast<QPushButton *>(control("Command3"))->click();
    static_cast<QPushButton *>(control("Command4"))->click();
    Wait(1500ms); // the board drawn full screen

    const QSize screen = form.screen()->geometry().size();
    ScreenSampler sampler({OnScreen(ClockBand, screen), OnScreen(PointsBand, screen)});
    if (!sampler.start()) {
        std::fprintf(stderr, "screen_latency: no X server with the shared-memory extension\n");
        return 1;
    }
    Wait(200ms);

    // When the control has put each frame on the screen (its repaint done): the part of the
    // delay that is the program's, the rest being the X server's and the sampling's.
    std::vector<Clock::time_point> painted;
    QObject::connect(form.display(), &DisplayControl::frameShown, &app,
                     [&painted] { painted.push_back(Clock::now()); });
    // And when the clock woke for each change, against its moment.
    std::vector<double> woke;
    QObject::connect(form.display()->findChild<ClockDriver *>(), &ClockDriver::changeTimed, &app,
                     [&woke](std::chrono::nanoseconds due, std::chrono::nanoseconds made) {
                         woke.push_back(double((made - due).count()) / 1e6);
                     });

    // The countdown, to its end.
    const Clock::time_point started = Clock::now();
    static_cast<QPushButton *>(control("Command1"))->click();
    const Clock::time_point deadline =
        Clock::now() + form.display()->findChild<ClockDriver *>()->remaining();
    Wait(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()) + 500ms);

    // Hotkeys: key 1 raises team A's points; the refresh sends them at once.
    auto *teclado = control("Teclado");
    std::vector<Clock::time_point> strokes;
    for (int i = 0; i < 100; ++i) {
        strokes.push_back(Clock::now());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QApplication::sendEvent(teclado, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
        QApplication::sendEvent(teclado, &release);
        Wait(150ms);
    }
    sampler.stop();

    std::vector<double> aboveMinute, lastMinute;
    for (const ScreenSampler::Seen &seen : sampler.changes(0)) {
        const Clock::time_point due = NearestChange(seen.estimate(), deadline);
        const double late = Milliseconds(seen.estimate() - due);
        (deadline - due > 60050ms ? aboveMinute : lastMinute).push_back(late);
    }
    std::vector<double> paintedAbove, paintedLast;
    for (const Clock::time_point time : painted) {
        if (time < started || time > deadline + 100ms)
            continue;
        const Clock::time_point due = NearestChange(time, deadline);
        const double late = Milliseconds(time - due);
        (deadline - due > 60050ms ? paintedAbove : paintedLast).push_back(late);
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
        const auto time = std::lower_bound(painted.begin(), painted.end(), stroke);
        if (time != painted.end())
            paintedHotkeys.push_back(Milliseconds(*time - stroke));
    }
    std::printf("screen %dx%d, countdown from %s:%s\n", screen.width(), screen.height(),
                qPrintable(start.at(0)), qPrintable(start.at(1)));
    Report("clock above one minute (m:ss)", aboveMinute);
    Report("clock in the last minute (s.t)", lastMinute);
    Report("SetVariable to screen (hotkey 1)", hotkeys);
    Report("  of it the program's", paintedHotkeys);
    Report("  of it the program's: m:ss", paintedAbove);
    Report("  of it the program's: s.t", paintedLast);
    Report("  of that the clock's waking", woke);
    return 0;
}
