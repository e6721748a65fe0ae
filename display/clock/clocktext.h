// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <optional>

// The clock as the board shows it: "m:ss" above the last minute, seconds and tenths within it.
// Shown values round up, so the board shows the start value at rest and "0.0" only when the time
// is up.
//   61.2 s  #=> "1:02"     60 s  #=> "1:00"     59.95 s  #=> "1:00"     59.9 s  #=> "59.9"
//   0.05 s  #=> "0.1"      0     #=> "0.0"
QString ClockText(std::chrono::nanoseconds remaining);

// The remaining time at which ClockText next changes while counting down: the next whole second
// below `remaining` above the last minute, the next tenth within it; none at zero.
//   61.2 s  #=> 61 s     60.05 s  #=> 60 s     60 s  #=> 59.9 s     0.05 s  #=> 0
std::optional<std::chrono::nanoseconds> NextClockTextChange(std::chrono::nanoseconds remaining);
