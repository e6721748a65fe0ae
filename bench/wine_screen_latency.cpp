// SPDX-License-Identifier: GPL-3.0-or-later
// How late the clock's changes reach the screen from the Windows build under Wine, which this
// program cannot look inside as screen_latency looks inside the Linux build: the operator window
// of brevanto.exe on Wine's desktop counting down, and the X server's picture of its board's area
// sampled as screen_latency samples it (ScreenSampler, about 1 kHz). During a countdown nothing
// else there changes.
//
// The changes are due from the moment Play was called on the display control, which the
// program's call log tells in Wine's monotonic clock (QueryPerformanceCounter, which Wine counts
// on CLOCK_MONOTONIC_RAW), in whole milliseconds: the moment is taken half a millisecond after the
// one logged, so each figure is good to ±0.5 ms.
//
// Run by bench/wine_screen_latency.sh, which starts the program and drives it:
//   wine_screen_latency <board's area WxH+X+Y> <m:ss> <seconds to sample> <call log>
// The log's lines read "<seconds since boot> brevanto.board.calls: <call>"; the countdown's Play
// is the last one.

#include "benchsupport.h"
#include "clockchanges.h"
#include "screensampler.h"

#include <QFile>
#include <QRect>
#include <QRegularExpression>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using namespace Bench;
using std::chrono::nanoseconds;

namespace {

// "229x171+197+30" #=> QRect(197, 30, 229, 171)
std::optional<QRect> Area(const QString &text)
{
    const auto match = QRegularExpression(u"^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$"_s).match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return QRect(match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
                 match.captured(2).toInt());
}

nanoseconds RawNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return std::chrono::seconds(now.tv_sec) + nanoseconds(now.tv_nsec);
}

// The last Play in the call log, in CLOCK_MONOTONIC_RAW, to the millisecond.
std::optional<nanoseconds> LastPlay(const QString &path)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QRegularExpression play(
        u"^\\s*(\\d+)\\.(\\d{3}) brevanto\\.board\\.calls: \\[\"Play\"\\]"_s);
    std::optional<nanoseconds> last;
    for (const QByteArray &line : log.readAll().split('\n')) {
        const auto match = play.match(QString::fromUtf8(line));
        if (match.hasMatch())
            last = std::chrono::seconds(match.captured(1).toLongLong()) +
                   std::chrono::milliseconds(match.captured(2).toInt());
    }
    return last;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::optional<QRect> area =
        argc == 5 ? Area(QString::fromLocal8Bit(argv[1])) : std::nullopt;
    const double start = argc == 5 ? StartSeconds(QString::fromLocal8Bit(argv[2])) : std::nan("");
    const double seconds = argc == 5 ? std::atof(argv[3]) : 0;
    if (!area || std::isnan(start) || !(seconds > 0)) {
        std::fprintf(stderr, "usage: wine_screen_latency WxH+X+Y m:ss SECONDS CALL-LOG\n");
        return 2;
    }
    ScreenSampler sampler({*area});
    if (!sampler.start()) {
        std::fprintf(stderr, "wine_screen_latency: no X server with the shared-memory extension\n");
        return 1;
    }
    // The steady clock's lead on the raw one, which drifts by parts per million: looked at once,
    // a moment before the countdown.
    const Clock::duration rawToSteady = Clock::now().time_since_epoch() - RawNow();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    sampler.stop();

    const std::optional<nanoseconds> play = LastPlay(QString::fromLocal8Bit(argv[4]));
    if (!play) {
        std::fprintf(stderr, "wine_screen_latency: no Play in %s\n", argv[4]);
        return 1;
    }
    const Clock::time_point played(*play + 500us + rawToSteady);
    const nanoseconds resting =
        std::chrono::duration_cast<nanoseconds>(std::chrono::duration<double>(start));
    const std::vector<ClockChange> changes = ClockChanges(played, resting);
    const Clock::time_point deadline = played + resting;
    std::vector<double> seenMinutes, seenTenths;
    for (const ScreenSampler::Seen &seen : sampler.changes(0)) {
        if (seen.estimate() < played || seen.estimate() > deadline + 100ms)
            continue;
        const ClockChange &change = NearestChange(changes, seen.estimate());
        (change.minutes ? seenMinutes : seenTenths)
            .push_back(Milliseconds(seen.estimate() - change.due));
    }
    std::printf("board's area %dx%d+%d+%d, countdown from %s, %zu changes due, %zu seen\n",
                area->width(), area->height(), area->x(), area->y(), qPrintable(ClockText(resting)),
                changes.size(), seenMinutes.size() + seenTenths.size());
    // The first percentile as well: a change seen before its moment would say the moment is wrong.
    PrintDistribution("clock above one minute (m:ss)", seenMinutes, {0.01, 0.5, 0.9, 0.99});
    PrintDistribution("clock in the last minute (s.t)", seenTenths, {0.01, 0.5, 0.9, 0.99});
    return 0;
}
