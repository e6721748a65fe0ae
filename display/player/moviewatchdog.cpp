// SPDX-License-Identifier: GPL-3.0-or-later
#include "moviewatchdog.h"

#include <QJSEngine>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

bool RunWatched(QJSEngine *engine, std::chrono::milliseconds limit,
                const std::function<void()> &work)
{
    std::atomic<bool> fired{false};
    {
        const std::jthread watchdog([engine, limit, &fired](std::stop_token stop) {
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            // Wakes early only when the work is done.
            wake.wait_for(lock, stop, limit, [] { return false; });
            if (stop.stop_requested())
                return;
            fired = true;
            // Safe from any thread: the engine only raises a flag that its scripts check.
            engine->setInterrupted(true);
        });
        work();
    } // the watchdog is stopped and joined here: `fired` cannot change any more
    if (fired)
        engine->setInterrupted(false);
    return fired;
}
