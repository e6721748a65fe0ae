#include "moviewatchdog.h"

#include <QJSEngine>

#include <condition_variable>
#include <mutex>

MovieWatchdog::MovieWatchdog(QJSEngine *engine, std::chrono::milliseconds limit) : m_engine(engine)
{
    m_thread = std::jthread([this, limit](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        // Wakes early only when the watchdog is dismissed.
        wake.wait_for(lock, stop, limit, [] { return false; });
        if (stop.stop_requested())
            return;
        m_fired = true;
        // Safe from any thread: the engine only raises a flag that its scripts check.
        m_engine->setInterrupted(true);
    });
}

MovieWatchdog::~MovieWatchdog()
{
    m_thread.request_stop();
    m_thread.join();
    if (m_fired)
        m_engine->setInterrupted(false);
}
