// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameclock.h"

#include "movieframes.h"

#include <algorithm>
#include <cmath>
#include <utility>

using namespace std::chrono_literals;
using Duration = GameClock::Duration;

namespace {

Duration SteadyNow()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

Duration StartValue(double minutes, double seconds)
{
    const double total = minutes * 60.0 + seconds; // NaN when either is NaN, or for inf - inf
    if (!(total > 0.0))
        return 0ns;
    constexpr double maxSeconds = std::chrono::duration<double>(GameClock::MaxStart).count();
    if (total >= maxSeconds)
        return GameClock::MaxStart;
    // Rounded so that 0.1 minutes is 6 s exactly, not 6 s and a stray nanosecond.
    return Duration(std::llround(total * 1e9));
}

} // namespace

GameClock::GameClock(TimeSource now) : m_now(now ? std::move(now) : TimeSource(SteadyNow)) {}

void GameClock::gotoFrame(int frame)
{
    if (frame != CueFrame && frame != HoldFrame)
        return;
    stop(now());
    if (frame == CueFrame)
        m_phase = Phase::Cue;
}

void GameClock::play(double startMinutes, double startSeconds)
{
    switch (m_phase) {
    case Phase::Cue:
        m_remaining = StartValue(startMinutes, startSeconds);
        m_phase = Phase::Standing;
        break;
    case Phase::Standing:
        // A clock at zero has nothing to count: no countdown starts, and none runs out.
        if (m_remaining > 0ns) {
            m_deadline = now() + m_remaining;
            m_phase = Phase::Running;
        }
        break;
    case Phase::Running:
        break;
    }
}

Duration GameClock::remainingAt(Duration time) const
{
    if (m_phase == Phase::Running)
        return std::max(m_deadline - time, 0ns);
    return m_remaining;
}

bool GameClock::isRunningAt(Duration time) const
{
    return m_phase == Phase::Running && time < m_deadline;
}

std::optional<Duration> GameClock::deadline() const
{
    if (m_phase == Phase::Running)
        return m_deadline;
    return std::nullopt;
}

std::uint64_t GameClock::expiriesAt(Duration time) const
{
    const bool runOutNow = m_phase == Phase::Running && time >= m_deadline;
    return m_expiries + (runOutNow ? 1 : 0);
}

GameClock::Reading GameClock::reading() const
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(remaining()).count();
    return {static_cast<int>(ms / 60'000), static_cast<int>(ms / 1000 % 60),
            static_cast<int>(ms % 1000)};
}

void GameClock::stop(Duration time)
{
    if (m_phase != Phase::Running)
        return;
    m_remaining = remainingAt(time);
    m_phase = Phase::Standing;
    if (m_remaining == 0ns)
        ++m_expiries;
}
