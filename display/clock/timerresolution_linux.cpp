// SPDX-License-Identifier: GPL-3.0-or-later
// Linux's timers and sleeps are high-resolution already: each wakes at its own moment, late only
// by the thread's timer slack (50 µs by default), whatever the rest of the system asks for. There
// is nothing to request.
#include "timerresolution.h"

bool RequestFineTimers()
{
    return false;
}

void ReleaseFineTimers() {}
