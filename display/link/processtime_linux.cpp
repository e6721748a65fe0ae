// SPDX-License-Identifier: GPL-3.0-or-later
// The process's CPU-time clock, to the nanosecond.
#include "processtime.h"

#include <ctime>

std::chrono::nanoseconds ProcessorTime(qint64 processId)
{
    clockid_t clock = 0;
    timespec spent = {};
    if (clock_getcpuclockid(pid_t(processId), &clock) != 0 || clock_gettime(clock, &spent) != 0)
        return {};
    return std::chrono::seconds(spent.tv_sec) + std::chrono::nanoseconds(spent.tv_nsec);
}
