// SPDX-License-Identifier: GPL-3.0-or-later
#include "screensampler.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

using namespace std::chrono_literals;

namespace {

// One rectangle of the root window, read through shared memory.
class Band
{
public:
    Band(Display *display, const QRect &rect) : m_display(display), m_rect(rect)
    {
        const int screen = DefaultScreen(display);
        m_image = XShmCreateImage(display, DefaultVisual(display, screen),
                                  unsigned(DefaultDepth(display, screen)), ZPixmap, nullptr, &m_shm,
                                  unsigned(rect.width()), unsigned(rect.height()));
        const size_t size = size_t(m_image->bytes_per_line) * size_t(m_image->height);
        m_shm.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
        m_shm.shmaddr = m_image->data = static_cast<char *>(shmat(m_shm.shmid, nullptr, 0));
        m_shm.readOnly = False;
        XShmAttach(display, &m_shm);
        XSync(display, False);
        shmctl(m_shm.shmid, IPC_RMID, nullptr); // gone once both sides let go
        m_previous.resize(size);
    }
    ~Band()
    {
        XShmDetach(m_display, &m_shm);
        m_image->data = nullptr;
        XDestroyImage(m_image);
        shmdt(m_shm.shmaddr);
    }
    Band(const Band &) = delete;
    Band &operator=(const Band &) = delete;

    // Reads the rectangle; true when it differs from the last read.
    bool changed()
    {
        XShmGetImage(m_display, DefaultRootWindow(m_display), m_image, m_rect.x(), m_rect.y(),
                     AllPlanes);
        const bool differs = std::memcmp(m_previous.data(), m_image->data, m_previous.size()) != 0;
        if (differs)
            std::memcpy(m_previous.data(), m_image->data, m_previous.size());
        return differs;
    }

private:
    Display *m_display;
    QRect m_rect;
    XShmSegmentInfo m_shm{};
    XImage *m_image = nullptr;
    std::vector<char> m_previous;
};

} // namespace

ScreenSampler::ScreenSampler(std::vector<QRect> rects)
    : m_rects(std::move(rects)), m_changes(m_rects.size())
{
}

ScreenSampler::~ScreenSampler()
{
    stop();
}

bool ScreenSampler::start()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    if (!XShmQueryExtension(display)) {
        XCloseDisplay(display);
        return false;
    }
    m_thread = std::thread([this, display] { run(display); });
    return true;
}

void ScreenSampler::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<ScreenSampler::Seen> ScreenSampler::changes(size_t rect)
{
    const std::lock_guard lock(m_mutex);
    return m_changes.at(rect);
}

void ScreenSampler::run(void *connection)
{
    auto *display = static_cast<Display *>(connection);
    {
        std::vector<std::unique_ptr<Band>> bands;
        for (const QRect &rect : m_rects) {
            bands.push_back(std::make_unique<Band>(display, rect));
            bands.back()->changed();
        }
        Clock::time_point last = Clock::now();
        Clock::time_point next = last;
        while (!m_stop) {
            const Clock::time_point begun = Clock::now();
            std::vector<bool> moved;
            for (const auto &band : bands)
                moved.push_back(band->changed());
            const Clock::time_point done = Clock::now();
            const Clock::time_point captured = begun + (done - begun) / 2;
            {
                const std::lock_guard lock(m_mutex);
                for (size_t i = 0; i < moved.size(); ++i)
                    if (moved[i])
                        m_changes[i].push_back({last, captured});
            }
            last = captured;
            next = std::max(next + 1ms, done);
            std::this_thread::sleep_until(next);
        }
    }
    XCloseDisplay(display);
}
