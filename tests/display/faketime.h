// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

// A monotonic clock moved by hand, so the game clock's tests never wait. Its epoch is arbitrary,
// as the steady clock's is.
class FakeTime
{
public:
    std::function<std::chrono::nanoseconds()> source()
    {
        return [this] { return m_now; };
    }
    std::chrono::nanoseconds now() const { return m_now; }
    void advance(std::chrono::nanoseconds by) { m_now += by; }
    void setNow(std::chrono::nanoseconds to) { m_now = to; }

private:
    std::chrono::nanoseconds m_now{std::chrono::hours(1000)};
};
