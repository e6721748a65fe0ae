// SPDX-License-Identifier: GPL-3.0-or-later
// The watch waits on Qt's semaphore, not on the C++ library's condition: with MinGW's, its timed
// wait could sleep through both its time and the work's end (seen under Wine), and hold the
// load for ever. A semaphore keeps the end however early it comes.
#include "moviewatchdog.h"

#include <QJSEngine>
#include <QSemaphore>

#include <atomic>
#include <thread>

bool RunWatched(QJSEngine *engine, std::chrono::milliseconds limit,
                const std::function<void()> &work)
{
    QSemaphore workDone;
    std::atomic<bool> fired = false;
    {
        const std::jthread watchdog([engine, limit, &workDone, &fired] {
            if (workDone.tryAcquire(1, int(limit.count())))
                return;
            fired = true;
            // Safe from any thread: the engine only raises a flag that its scripts check.
            engine->setInterrupted(true);
        });
        work();
        workDone.release();
    } // the watchdog is joined here: `fired` cannot change any more
    if (fired)
        engine->setInterrupted(false);
    return fired;
}
