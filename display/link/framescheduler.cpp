// SPDX-License-Identifier: GPL-3.0-or-later
#include "framescheduler.h"

#include "boardchannel.h"
#include "sharedframes.h"

using namespace BoardProtocol;

FrameScheduler::FrameScheduler(BoardChannel &channel, QObject *parent)
    : QObject(parent), m_channel(channel)
{
}

void FrameScheduler::setVariable(const QString &name, const QString &value)
{
    const auto known = m_values.constFind(name);
    if (known != m_values.cend() && *known == value)
        return;
    m_values.insert(name, value);
    if (m_ready && m_ready->prepared == std::pair(name, value) && !m_wantsFrame) {
        // The moment the frame was drawn for.
        const QRect changed = m_ready->changed;
        m_ready.reset();
        putOnScreen(changed);
        scheduleSoon();
        return;
    }
    // Drawn ahead for just this: it is shown as soon as it comes.
    if (m_request && m_request->prepared == std::pair(name, value) && !m_wantsFrame)
        return;
    m_wantsFrame = true;
    scheduleSoon();
}

void FrameScheduler::prepare(const QString &name, const QString &value)
{
    // Only a variable the board has: it is put back as it stands should the value not come.
    if (!m_values.contains(name))
        return;
    m_wish = std::pair(name, value);
    scheduleSoon();
}

void FrameScheduler::unprepare()
{
    m_wish.reset();
    m_ready.reset();
}

void FrameScheduler::setSize(QSize pixels, double ratio)
{
    if (pixels == m_size && ratio == m_ratio)
        return;
    m_size = pixels;
    m_ratio = ratio;
    ++m_sizeGeneration;
    m_sizeShown = false;
    m_held = QImage();
    m_ready.reset();
    tellSize();
    m_wantsFrame = true;
    scheduleSoon();
}

void FrameScheduler::restart()
{
    m_started = true;
    m_told.clear();
    m_request.reset();
    m_ready.reset();
    m_sizeShown = false;
    m_wantsFrame = true;
    tellSize();
}

void FrameScheduler::play()
{
    m_playing = true;
    scheduleSoon();
}

void FrameScheduler::pause()
{
    if (m_playing && m_sizeShown)
        m_held = shown().copy();
    leavePlaying();
}

void FrameScheduler::stop()
{
    m_held = QImage();
    leavePlaying();
}

void FrameScheduler::leavePlaying()
{
    m_playing = false;
    m_request.reset();
    m_ready.reset();
    m_sizeShown = false;
}

void FrameScheduler::tellSize()
{
    // The frames grow before the process is told of them.
    if (m_started && m_channel.isRunning() && !m_size.isEmpty() &&
        m_channel.frames().setSize(m_size))
        m_channel.tell(Size{m_size, m_ratio});
}

QImage FrameScheduler::shown() const
{
    if (!m_sizeShown || !m_playing)
        return m_held;
    QImage frame = m_channel.frames().shown();
    frame.setDevicePixelRatio(m_ratio);
    return frame;
}

void FrameScheduler::received(const FromBoard &message)
{
    if (const auto *frame = std::get_if<Frame>(&message))
        frameArrived(*frame);
    else if (std::holds_alternative<Changed>(message))
        m_movedByItself = true;
    // Whatever came, the way may be free again.
    scheduleSoon();
}

void FrameScheduler::frameArrived(const Frame &frame)
{
    // The process answers only the Render asked (it is ended otherwise), but the request may
    // have been dropped since.
    if (!m_request || frame.number != m_request->number)
        return;
    const Request request = *std::exchange(m_request, std::nullopt);
    // Drawn at a size since left behind.
    if (request.sizeGeneration != m_sizeGeneration)
        return;
    // Its own frames are all the process may say changed: anything else is not to be trusted.
    if (!frame.changed.isEmpty() && !QRect(QPoint(0, 0), m_size).contains(frame.changed)) {
        m_channel.reject();
        return;
    }
    if (!request.prepared || comesTrue(*request.prepared))
        putOnScreen(frame.changed);
    else
        m_ready = ReadyFrame{frame.changed, *request.prepared};
    if (request.current && !m_wantsFrame)
        Q_EMIT settled();
}

bool FrameScheduler::comesTrue(const Prepared &prepared) const
{
    return m_values.value(prepared.first) == prepared.second;
}

void FrameScheduler::putOnScreen(const QRect &changed)
{
    const bool first = !m_sizeShown;
    if (changed.isEmpty() && !first)
        return;
    m_channel.frames().show(changed);
    m_sizeShown = true;
    m_held = QImage();
    Q_EMIT shownChanged(first ? QRect(QPoint(0, 0), m_size) : changed);
}

void FrameScheduler::scheduleSoon()
{
    // Whatever else the handler under way sets goes with the same frame.
    if (m_schedulePosted)
        return;
    m_schedulePosted = true;
    QMetaObject::invokeMethod(this, &FrameScheduler::schedule, Qt::QueuedConnection);
}

void FrameScheduler::schedule()
{
    m_schedulePosted = false;
    if (!m_playing || m_size.isEmpty() || m_channel.isAsking())
        return;
    if (m_wantsFrame || (m_movedByItself && !m_ready)) {
        m_wantsFrame = false;
        m_movedByItself = false;
        m_ready.reset();
        tellChanges();
        render(std::nullopt);
        return;
    }
    if (m_wish && !comesTrue(*m_wish) && !(m_ready && m_ready->prepared == *m_wish)) {
        // The coming value is told last, over the board as it stands.
        m_ready.reset();
        tellChanges();
        const auto &[name, value] = *m_wish;
        if (m_told.value(name) != value || !m_told.contains(name)) {
            m_channel.tell(Set{name, value});
            m_told.insert(name, value);
        }
        render(m_wish);
    }
}

void FrameScheduler::render(std::optional<Prepared> prepared)
{
    const bool current = !prepared && m_told == m_values;
    m_request = Request{m_nextNumber++, m_sizeGeneration, current, std::move(prepared)};
    m_channel.ask(Render{m_request->number});
}

void FrameScheduler::tellChanges()
{
    for (auto value = m_values.cbegin(); value != m_values.cend(); ++value) {
        const auto told = m_told.constFind(value.key());
        if (told == m_told.cend() || *told != value.value()) {
            m_channel.tell(Set{value.key(), value.value()});
            m_told.insert(value.key(), value.value());
        }
    }
}
