// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The process's timers and sleeps to the millisecond, where the system would round them up to a
// coarser tick of its own. How is the system's: one file per system (timerresolution_<system>.cpp).
// True when the system took the request; each such request is given back by one release.
bool RequestFineTimers();
void ReleaseFineTimers();

// Holds fine timers for as long as it lives.
class FineTimers
{
    Q_DISABLE_COPY_MOVE(FineTimers)

public:
    FineTimers() : m_held(RequestFineTimers()) {}
    ~FineTimers()
    {
        if (m_held)
            ReleaseFineTimers();
    }

private:
    const bool m_held;
};
