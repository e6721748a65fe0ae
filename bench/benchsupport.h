// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks share: times in milliseconds, percentiles and their printing, waiting on
// the event loop, the clock's start value from the command line, and the display control's
// paints seen from outside.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace Bench {

using Clock = std::chrono::steady_clock;

template <typename Rep, typename Period>
double Milliseconds(std::chrono::duration<Rep, Period> value)
{
    return std::chrono::duration<double, std::milli>(value).count();
}

// How long one call of `step` takes, in milliseconds.
template <typename Step> double MillisecondsTaken(Step &&step)
{
    QElapsedTimer clock;
    clock.start();
    step();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Nearest rank: the smallest of the sorted values that at least `share` of them do not exceed.
//   {1, 2, 3, 4}: 0.5 #=> 2   0.99 #=> 4
template <typename T> T Percentile(const std::vector<T> &sorted, double share)
{
    const auto rank = static_cast<std::size_t>(std::ceil(share * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return Percentile(values, 0.5);
}

inline double Max(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

// One line: what was measured, how many, the percentiles asked for and the largest, all in
// milliseconds with the given decimals:
//   clock in the last minute (s.t)          600 changes  p50 0.52 ms  p99 1.41 ms  max 2.03 ms
inline void PrintDistribution(const char *what, std::vector<double> milliseconds,
                              std::initializer_list<double> shares = {0.5, 0.9, 0.99},
                              int decimals = 2, const char *unit = "changes")
{
    if (milliseconds.empty()) {
        std::printf("%-37s no %s\n", what, unit);
        return;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::string line;
    for (const double share : shares) {
        // p50, p99, p99.9
        const QString name = u'p' + QString::number(share * 100, 'g', 4);
        line += QStringLiteral("  %1 %2 ms")
                    .arg(name)
                    .arg(Percentile(milliseconds, share), 0, 'f', decimals)
                    .toStdString();
    }
    std::printf("%-37s %6zu %s%s  max %.*f ms\n", what, milliseconds.size(), unit, line.c_str(),
                decimals, milliseconds.back());
}

// Runs the event loop for a while. A precise timer: the coarse one Qt takes for two seconds and
// more may end 5 % early, a second before a minute's countdown is over.
inline void Wait(std::chrono::milliseconds time)
{
    QEventLoop loop;
    QTimer::singleShot(time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// A clock start value as typed on the command line, in seconds: "2:05" or "125"; NaN for
// anything else or for no time at all.
inline double StartSeconds(const QString &text)
{
    const QStringList parts = text.split(u':');
    bool ok = parts.size() <= 2;
    double seconds = 0;
    for (const QString &part : parts) {
        bool partOk = false;
        seconds = seconds * 60 + part.toDouble(&partOk);
        ok = ok && partOk;
    }
    return ok && seconds > 0 ? seconds : std::nan("");
}

// The paint events a widget receives (for the display control: a frame from the board put on
// the screen, or its black and notice), each with the moment it began. The control paints a
// frame from the board at once, so this is when the frame reaches the window; the flush to the
// window system follows within the same call.
class PaintObserver : public QObject
{
    Q_DISABLE_COPY_MOVE(PaintObserver)

public:
    // Watches `widget`, which outlives it.
    explicit PaintObserver(QObject *widget) { widget->installEventFilter(this); }

    const std::vector<Clock::time_point> &times() const { return m_times; }
    std::size_t count() const { return m_times.size(); }

    // Runs the event loop until the widget has painted once more; false when the time ran out.
    bool waitForPaint(std::chrono::milliseconds timeout)
    {
        const std::size_t before = count();
        QElapsedTimer waited;
        waited.start();
        while (count() == before && waited.elapsed() < timeout.count())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return count() != before;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_times.push_back(Clock::now());
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<Clock::time_point> m_times;
};

} // namespace Bench
