// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Samples rectangles of the X server's screen at about 1 kHz, from a thread and a connection of
// its own (XShmGetImage), and notes when each one changes.
class ScreenSampler
{
public:
    using Clock = std::chrono::steady_clock;

    // A change seen on the screen: it came between two samples, and its best estimate is halfway
    // between them.
    struct Seen
    {
        Clock::time_point before;
        Clock::time_point after;
        Clock::time_point estimate() const { return before + (after - before) / 2; }
    };

    explicit ScreenSampler(std::vector<QRect> rects);
    ~ScreenSampler();
    ScreenSampler(const ScreenSampler &) = delete;
    ScreenSampler &operator=(const ScreenSampler &) = delete;

    // False when there is no X server with the shared-memory extension.
    bool start();
    void stop();
    // The changes of one rectangle, by its place in the list given.
    std::vector<Seen> changes(size_t rect);

private:
    void run(void *display);

    std::vector<QRect> m_rects;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::vector<Seen>> m_changes;
};
