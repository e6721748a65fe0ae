// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

// The board's game clock, driven by the movie's frame protocol:
//   gotoFrame(0)   the cue: the clock stops where it is and waits for a start value;
//   play(m, s)     at the cue: takes m minutes and s seconds and comes to rest there;
//                  at rest or on hold: the countdown runs on (the start value is not used);
//   gotoFrame(6)   holds the clock at its current value.
// Other frame numbers are ignored: the movie has no other frame that touches the clock.
// Until the first start value the clock stands at zero; at zero it stops by itself.
//
// It counts on a monotonic time source, never by ticks: while running it keeps only its deadline,
// while standing only the remaining time, so no time is lost or gained across pauses however many.
class GameClock
{
public:
    using Duration = std::chrono::nanoseconds;
    // A monotonic clock: any fixed epoch, never going back.
    using TimeSource = std::function<Duration()>;

    // The largest start value, 999:59, so that the minutes never need a fourth digit. The
    // start value comes from typed text and a pasted "1e300" must not overflow the count.
    static constexpr Duration MaxStart = std::chrono::minutes(999) + std::chrono::seconds(59);

    // The clock's value as the movie's variables `min`, `sec` and `mil` give it: the remaining
    // time cut down to whole milliseconds and split. They add up to more than 0 exactly while
    // at least a millisecond remains.   83.4567 s  #=> {1, 23, 456}
    struct Reading
    {
        int min = 0;
        int sec = 0;
        int mil = 0;
    };

    // An empty source means std::chrono::steady_clock.
    explicit GameClock(TimeSource now = {});

    void gotoFrame(int frame);
    // The start value is minutes × 60 + seconds taken as a whole (2 min and -30 s is 1:30),
    // rounded to the nanosecond; a negative or NaN total is 0, a larger one than MaxStart is
    // MaxStart. A play at the cue without a start value rests at zero.
    void play(double startMinutes = 0, double startSeconds = 0);

    Duration now() const { return m_now(); }

    // Never negative; exact to the nanosecond.
    Duration remaining() const { return remainingAt(now()); }
    Duration remainingAt(Duration time) const;
    // Counting down, with time left.
    bool isRunningAt(Duration time) const;
    // When a countdown under way reaches zero (in the time source's terms); none when standing.
    std::optional<Duration> deadline() const;
    // How many countdowns have reached zero so far: each one sounds the horn once.
    std::uint64_t expiriesAt(Duration time) const;

    Reading reading() const;

private:
    enum class Phase
    {
        Cue,
        Standing,
        Running
    };

    // Stops a running clock, keeping what remains (zero once its time is up).
    void stop(Duration time);

    TimeSource m_now;
    Phase m_phase = Phase::Standing;
    Duration m_remaining{0}; // while at the cue or standing
    Duration m_deadline{0};  // while running
    std::uint64_t m_expiries = 0;
};
