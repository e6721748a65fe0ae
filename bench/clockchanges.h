// SPDX-License-Identifier: GPL-3.0-or-later
// The moments a countdown's shown text changes, by the clock's own text rule, for the benchmarks
// that set what they see on the screen against them.
#pragma once

#include "benchsupport.h"
#include "clocktext.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <vector>

namespace Bench {

// A moment the clock's text changes: when, and whether to an "m:ss" text or to seconds and
// tenths.
struct ClockChange
{
    Clock::time_point due;
    bool minutes;
};

// The changes of a countdown from `start` that began at `began`, in order.
inline std::vector<ClockChange> ClockChanges(Clock::time_point began,
                                             std::chrono::nanoseconds start)
{
    std::vector<ClockChange> changes;
    for (auto boundary = NextClockTextChange(start); boundary;
         boundary = NextClockTextChange(*boundary)) {
        changes.push_back({began + std::chrono::duration_cast<Clock::duration>(start - *boundary),
                           ClockText(*boundary).contains(u':')});
    }
    return changes;
}

// The change whose moment is nearest `time`.
inline const ClockChange &NearestChange(const std::vector<ClockChange> &changes,
                                        Clock::time_point time)
{
    const auto after =
        std::lower_bound(changes.begin(), changes.end(), time,
                         [](const ClockChange &c, Clock::time_point t) { return c.due < t; });
    if (after == changes.begin())
        return *after;
    if (after == changes.end() || time - std::prev(after)->due < after->due - time)
        return *std::prev(after);
    return *after;
}

} // namespace Bench
