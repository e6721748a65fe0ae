// SPDX-License-Identifier: GPL-3.0-or-later
// Windows wakes a timer or a sleep at the next tick of its timer, every 15.6 ms unless a process
// asks for a finer one; since Windows 10 2004 the finer tick serves only the processes that asked.
// A multimedia period of 1 ms makes both the event loop's timers and this thread's sleeps wake
// within about a millisecond.
#include "timerresolution.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

constexpr UINT PeriodMs = 1;

} // namespace

bool RequestFineTimers()
{
    return timeBeginPeriod(PeriodMs) == TIMERR_NOERROR;
}

void ReleaseFineTimers()
{
    timeEndPeriod(PeriodMs);
}
