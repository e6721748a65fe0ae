// SPDX-License-Identifier: GPL-3.0-or-later
#include "clocktime.h"

std::chrono::nanoseconds ClockTime::now() const
{
    return std::chrono::steady_clock::now().time_since_epoch();
}
