// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clocktime.h"

#include <chrono>
#include <functional>

// A monotonic clock moved by hand, so the game clock's tests never wait. Its epoch is arbitrary,
// as the steady clock's is. Each move says so, and a clock that counts on it catches up at once.
class FakeTime : public ClockTime
{
public:
    std::chrono::nanoseconds now() const override { return m_now; }
    // For a GameClock of one's own.
    std::function<std::chrono::nanoseconds()> source()
    {
        return [this] { return m_now; };
    }
    void advance(std::chrono::nanoseconds by) { setNow(m_now + by); }
    // As the real time passes between two of the clock's wakes: nobody is told.
    void advanceQuietly(std::chrono::nanoseconds by) { m_now += by; }
    void setNow(std::chrono::nanoseconds to)
    {
        m_now = to;
        Q_EMIT moved();
    }

private:
    std::chrono::nanoseconds m_now{std::chrono::hours(1000)};
};
