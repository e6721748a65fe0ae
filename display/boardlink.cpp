// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardlink.h"

using namespace BoardProtocol;
using namespace std::chrono_literals;

namespace {

// Crashes further apart than this start the count again.
constexpr qint64 ForgivenAfterMs = 60'000;

} // namespace

BoardLink::BoardLink(QObject *parent) : QObject(parent)
{
    connect(&m_process, &BoardProcess::received, this, &BoardLink::received);
    connect(&m_process, &BoardProcess::ended, this, &BoardLink::processEnded);
    // Started at once, so that the movie's load later finds it ready.
    m_process.start();
}

void BoardLink::load(const QString &path)
{
    m_path = path;
    m_restarts = 0;
    m_outcome = MovieOutcome::Missing;
    // Each movie in a process of its own: nothing of one outlives it into the next.
    if (m_phase != Phase::Idle || !m_process.isRunning())
        m_process.start();
    startLoad();
}

void BoardLink::startLoad()
{
    m_phase = Phase::Loading;
    m_told.clear();
    m_request.reset();
    m_ready.reset();
    m_sizeShown = false;
    m_wantsFrame = true;
    if (!m_process.isRunning()) // failed to start: its end is on its way
        return;
    m_process.ask(Load{m_path}, BoardProcess::LoadLimit);
    // The frames grow before the process is told of them.
    if (!m_size.isEmpty() && m_process.frames().setSize(m_size))
        m_process.tell(Size{m_size, m_ratio});
}

void BoardLink::setVariable(const QString &name, const QString &value)
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

void BoardLink::prepare(const QString &name, const QString &value)
{
    // Only a variable the board has: it is put back as it stands should the value not come.
    if (!m_values.contains(name))
        return;
    m_wish = std::pair(name, value);
    scheduleSoon();
}

void BoardLink::unprepare()
{
    m_wish.reset();
    m_ready.reset();
}

void BoardLink::setSize(QSize pixels, double ratio)
{
    if (pixels == m_size && ratio == m_ratio)
        return;
    m_size = pixels;
    m_ratio = ratio;
    ++m_sizeGeneration;
    m_sizeShown = false;
    m_ready.reset();
    if (m_process.isRunning() && m_phase != Phase::Idle && m_process.frames().setSize(pixels))
        m_process.tell(Size{pixels, ratio});
    m_wantsFrame = true;
    scheduleSoon();
}

QImage BoardLink::shown() const
{
    if (!m_sizeShown || m_phase != Phase::Playing)
        return {};
    QImage frame = const_cast<BoardProcess &>(m_process).frames().shown();
    frame.setDevicePixelRatio(m_ratio);
    return frame;
}

void BoardLink::received(const FromBoard &message)
{
    if (const auto *loaded = std::get_if<Loaded>(&message)) {
        if (m_phase != Phase::Loading)
            return;
        if (loaded->outcome != MovieOutcome::Playing) {
            fail(loaded->outcome);
            return;
        }
        m_phase = Phase::Playing;
        scheduleSoon();
    } else if (const auto *frame = std::get_if<Frame>(&message)) {
        frameArrived(*frame);
    } else if (std::holds_alternative<Changed>(message)) {
        m_movedByItself = true;
        scheduleSoon();
    } else {
        scheduleSoon(); // a Pong: the way is free again
    }
}

void BoardLink::frameArrived(const Frame &frame)
{
    if (!m_request || frame.number != m_request->number) {
        processEnded(BoardProcess::End::Faulty);
        return;
    }
    const Request request = *std::exchange(m_request, std::nullopt);
    // Drawn at a size since left behind.
    if (request.sizeGeneration != m_sizeGeneration) {
        scheduleSoon();
        return;
    }
    const QRect changed = frame.changed & QRect(QPoint(0, 0), m_size);
    if (!request.prepared || comesTrue(*request.prepared))
        putOnScreen(changed);
    else
        m_ready = ReadyFrame{changed, *request.prepared};
    scheduleSoon();
}

bool BoardLink::comesTrue(const std::pair<QString, QString> &prepared) const
{
    return m_values.value(prepared.first) == prepared.second;
}

void BoardLink::putOnScreen(const QRect &changed)
{
    const bool first = !m_sizeShown;
    if (changed.isEmpty() && !first)
        return;
    m_process.frames().show(changed);
    m_sizeShown = true;
    Q_EMIT shownChanged(first ? QRect(QPoint(0, 0), m_size) : changed);
    if (first && m_outcome != MovieOutcome::Playing) {
        m_outcome = MovieOutcome::Playing;
        Q_EMIT outcomeChanged();
    }
}

void BoardLink::scheduleSoon()
{
    // Whatever else the handler under way sets goes with the same frame.
    if (m_schedulePosted)
        return;
    m_schedulePosted = true;
    QMetaObject::invokeMethod(this, &BoardLink::schedule, Qt::QueuedConnection);
}

void BoardLink::schedule()
{
    m_schedulePosted = false;
    if (m_phase != Phase::Playing || m_size.isEmpty() || m_process.isAsking())
        return;
    const bool wholeWanted = m_wantsFrame || (m_movedByItself && !m_ready);
    if (wholeWanted) {
        m_wantsFrame = false;
        m_movedByItself = false;
        m_ready.reset();
        tellChanges();
        m_request = Request{m_nextNumber++, m_sizeGeneration, std::nullopt};
        m_process.ask(Render{m_request->number});
        return;
    }
    if (m_wish && !comesTrue(*m_wish) && !(m_ready && m_ready->prepared == *m_wish)) {
        m_ready.reset();
        tellChanges();
        const auto &[name, value] = *m_wish;
        if (m_told.value(name) != value || !m_told.contains(name)) {
            m_process.tell(Set{name, value});
            m_told.insert(name, value);
        }
        m_request = Request{m_nextNumber++, m_sizeGeneration, m_wish};
        m_process.ask(Render{m_request->number});
    }
}

void BoardLink::tellChanges()
{
    for (auto value = m_values.cbegin(); value != m_values.cend(); ++value) {
        const auto told = m_told.constFind(value.key());
        if (told == m_told.cend() || *told != value.value()) {
            m_process.tell(Set{value.key(), value.value()});
            m_told.insert(value.key(), value.value());
        }
    }
}

void BoardLink::processEnded(BoardProcess::End why)
{
    m_request.reset();
    m_ready.reset();
    switch (why) {
    case BoardProcess::End::Crashed:
    case BoardProcess::End::TooLarge:
        restart();
        return;
    case BoardProcess::End::Hung:
        fail(MovieOutcome::Hung);
        return;
    case BoardProcess::End::Faulty:
        m_process.stop();
        fail(MovieOutcome::Crashed);
        return;
    case BoardProcess::End::NotStarted:
        fail(MovieOutcome::NoProcess);
        return;
    }
}

void BoardLink::restart()
{
    if (m_sinceRestart.isValid() && m_sinceRestart.elapsed() > ForgivenAfterMs)
        m_restarts = 0;
    if (m_phase == Phase::Failed || ++m_restarts > MaxRestarts) {
        fail(MovieOutcome::Crashed);
        return;
    }
    m_sinceRestart.start();
    m_process.start();
    if (m_phase != Phase::Idle)
        startLoad();
}

void BoardLink::fail(MovieOutcome outcome)
{
    m_process.stop();
    m_phase = Phase::Failed;
    m_sizeShown = false;
    m_outcome = outcome;
    m_wish.reset();
    Q_EMIT outcomeChanged();
}
