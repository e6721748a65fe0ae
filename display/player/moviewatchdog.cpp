// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own thread and semaphore, not the C++ library's thread and condition: with MinGW's, the
// watch's timed wait could sleep through both its time and the work's end (seen under Wine),
// and hold the load for ever. A semaphore keeps the end however early it comes.
#include "moviewatchdog.h"

#include <QJSEngine>
#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <memory>

bool RunWatched(QJSEngine *engine, std::chrono::milliseconds limit,
                const std::function<void()> &work)
{
    QSemaphore workDone;
    std::atomic<bool> fired = false;
    const std::unique_ptr<QThread> watchdog(QThread::create([&] {
        if (workDone.tryAcquire(1, int(limit.count())))
            return;
        fired = true;
        // Safe from any thread: the engine only raises a flag that its scripts check.
        engine->setInterrupted(true);
    }));
    watchdog->start();
    work();
    workDone.release();
    watchdog->wait(); // `fired` cannot change any more
    if (fired)
        engine->setInterrupted(false);
    return fired;
}
