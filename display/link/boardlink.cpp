// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardlink.h"

#include "moviefolder.h"
#include "movienotice.h"

using namespace BoardProtocol;
using namespace Qt::StringLiterals;

namespace {

// Crashes further apart than this start the count again.
constexpr qint64 ForgivenAfterMs = 60'000;

} // namespace

BoardLink::BoardLink(Audience audience, QObject *parent)
    : QObject(parent), m_maxRestarts(audience == Audience::Program ? MaxRestarts : 0),
      m_process(audience == Audience::Program ? BoardProcess::Warnings::Forwarded
                                              : BoardProcess::Warnings::Captured)
{
    connect(&m_process, &BoardProcess::received, this, &BoardLink::received);
    connect(&m_process, &BoardProcess::warned, this, &BoardLink::warned);
    connect(&m_process, &BoardProcess::ended, this, &BoardLink::processEnded);
    connect(&m_frames, &FrameScheduler::shownChanged, this, &BoardLink::frameShown);
    // Started at once, so that the movie's load later finds it ready.
    m_process.start();
}

QString BoardLink::notice() const
{
    return m_phase == Phase::Failed ? NoticeText(m_outcome) : QString();
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
    m_frames.pause();
    if (m_process.isRunning()) { // else it failed to start, and its end is on its way
        if (!m_process.admit(MovieFolder(m_path))) {
            fail(MovieOutcome::Unreadable);
            return;
        }
        m_process.ask(Load{m_path}, BoardProcess::LoadLimit);
    }
    m_frames.restart();
}

void BoardLink::inspect()
{
    if (m_process.isRunning())
        m_process.ask(Inspect{m_nextInspection++});
}

void BoardLink::received(const FromBoard &message)
{
    if (const auto *refused = std::get_if<Refused>(&message)) {
        fail(refused->outcome);
        return;
    }
    if (const auto *inspection = std::get_if<Inspection>(&message))
        Q_EMIT inspected(inspection->findings);
    const auto *loaded = std::get_if<Loaded>(&message);
    if (!loaded) {
        m_frames.received(message);
        return;
    }
    if (m_phase != Phase::Loading)
        return;
    m_confinement.clear();
    for (const QString &layer : loaded->held)
        m_confinement.append(u"held: "_s + layer);
    for (const QString &layer : loaded->lacking)
        m_confinement.append(u"not held: "_s + layer);
    if (loaded->outcome != MovieOutcome::Playing) {
        fail(loaded->outcome);
        return;
    }
    m_phase = Phase::Playing;
    m_frames.play();
}

void BoardLink::frameShown(const QRect &changed)
{
    Q_EMIT shownChanged(changed);
    if (m_outcome != MovieOutcome::Playing) {
        m_outcome = MovieOutcome::Playing;
        Q_EMIT outcomeChanged();
    }
}

void BoardLink::processEnded(BoardProcess::End why)
{
    m_frames.pause();
    switch (why) {
    case BoardProcess::End::Crashed:
    case BoardProcess::End::TooLarge:
        restart();
        return;
    case BoardProcess::End::Hung:
        // A movie that never finishes loading would hang again; one that stalled while playing
        // (a long pause of the machine, a stopped process) is given its board back.
        if (m_phase == Phase::Loading)
            fail(MovieOutcome::Hung);
        else
            restart(MovieOutcome::Hung);
        return;
    case BoardProcess::End::Faulty:
        fail(MovieOutcome::Crashed);
        return;
    case BoardProcess::End::NotStarted:
        fail(MovieOutcome::NoProcess);
        return;
    }
}

void BoardLink::restart(MovieOutcome ifGivenUp)
{
    if (m_sinceRestart.isValid() && m_sinceRestart.elapsed() > ForgivenAfterMs)
        m_restarts = 0;
    if (m_phase == Phase::Failed || ++m_restarts > m_maxRestarts) {
        fail(ifGivenUp);
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
    m_frames.stop();
    m_outcome = outcome;
    Q_EMIT outcomeChanged();
}
