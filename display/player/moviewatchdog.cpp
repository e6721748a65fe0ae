// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own thread, lock and wait, not the C++ library's: with MinGW's, the watch's timed wait
// could sleep through both its time and its stop (seen under Wine), and hold the load for ever.
#include "moviewatchdog.h"

#include <QDeadlineTimer>
#include <QJSEngine>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QWaitCondition>

#include <memory>

bool RunWatched(QJSEngine *engine, std::chrono::milliseconds limit,
                const std::function<void()> &work)
{
    QMutex mutex;
    QWaitCondition workDone;
    bool done = false;
    bool fired = false;
    const std::unique_ptr<QThread> watchdog(QThread::create([&] {
        const QDeadlineTimer deadline(limit);
        const QMutexLocker lock(&mutex);
        while (!done && workDone.wait(&mutex, deadline)) {
        }
        fired = !done;
        // Safe from any thread: the engine only raises a flag that its scripts check.
        if (fired)
            engine->setInterrupted(true);
    }));
    watchdog->start();
    work();
    {
        const QMutexLocker lock(&mutex);
        done = true;
        workDone.wakeAll();
    }
    watchdog->wait(); // `fired` cannot change any more
    if (fired)
        engine->setInterrupted(false);
    return fired;
}
