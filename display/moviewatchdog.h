#pragma once

#include <atomic>
#include <chrono>
#include <thread>

class QJSEngine;

// Cuts short the movie's scripts when its start takes too long: a script that never ends would
// hold the user-interface thread, and with it the operator window, for ever. A QTimer cannot
// fire while that thread is stuck, so a thread of its own watches, and interrupts the engine's
// scripts once the limit has passed. They run again once the watchdog is gone.
//
//   MovieWatchdog watchdog(engine, MovieWatchdog::StartLimit);
//   ... create the movie ...
//   if (watchdog.fired()) ... the movie did not start whole: drop it ...
//
// Work the engine does outside scripts (laying out a million items, say) cannot be cut short.
class MovieWatchdog
{
public:
    // Several times what an honest scoreboard takes to start on a slow machine, short enough
    // not to keep the operator waiting for the window.
    static constexpr std::chrono::milliseconds StartLimit{750};

    MovieWatchdog(QJSEngine *engine, std::chrono::milliseconds limit);
    ~MovieWatchdog();
    MovieWatchdog(const MovieWatchdog &) = delete;
    MovieWatchdog &operator=(const MovieWatchdog &) = delete;

    // Whether the limit passed and the scripts were interrupted.
    bool fired() const { return m_fired.load(); }

private:
    QJSEngine *m_engine;
    std::atomic<bool> m_fired{false};
    std::jthread m_thread;
};
