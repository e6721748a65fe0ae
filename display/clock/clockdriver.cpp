// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockdriver.h"

#include "clocktext.h"

#include <algorithm>
#include <thread>

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

namespace {

// A timer event comes a little late, by up to a millisecond and more when the machine is busy, so
// the timer is set this much early and the rest of the way is waited out by sleeping.
constexpr nanoseconds TimerLead = 1ms;
// The longest sleep before a change: beyond it the timer is set again instead.
constexpr nanoseconds LongestSleep = 2ms;

} // namespace

ClockDriver::ClockDriver(ClockTime *time, QObject *parent)
    : QObject(parent), m_clock([time = time ? time : &m_steady] { return time->now(); }),
      m_text(ClockText(m_clock.remaining()))
{
    if (time)
        connect(time, &ClockTime::moved, this, &ClockDriver::update);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockDriver::wake);
}

void ClockDriver::gotoFrame(int frame)
{
    m_clock.gotoFrame(frame);
    update();
}

void ClockDriver::play(double startMinutes, double startSeconds)
{
    m_clock.play(startMinutes, startSeconds);
    update();
}

std::optional<QString> ClockDriver::nextText() const
{
    const nanoseconds now = m_clock.now();
    if (!m_clock.isRunningAt(now))
        return std::nullopt;
    const std::optional<nanoseconds> next = NextClockTextChange(m_clock.remainingAt(now));
    return next ? std::optional(ClockText(*next)) : std::nullopt;
}

void ClockDriver::update()
{
    const nanoseconds now = m_clock.now();
    const QString text = ClockText(m_clock.remainingAt(now));
    if (text != m_text) {
        m_text = text;
        Q_EMIT textChanged(m_text);
    }
    const std::uint64_t expiries = m_clock.expiriesAt(now);
    if (expiries != m_expiries) {
        m_expiries = expiries;
        Q_EMIT expired();
    }
    plan(now);
}

void ClockDriver::wake()
{
    if (m_due) {
        const nanoseconds early = *m_due - m_clock.now();
        if (early > 0ns && early <= LongestSleep)
            std::this_thread::sleep_until(std::chrono::steady_clock::now() + early);
    }
    update();
}

void ClockDriver::plan(nanoseconds now)
{
    m_due.reset();
    const std::optional<nanoseconds> deadline = m_clock.deadline();
    if (!deadline || !m_clock.isRunningAt(now)) {
        m_timer.stop();
        m_fineTimers.reset();
        return;
    }
    if (!m_fineTimers)
        m_fineTimers.emplace();
    m_due = *deadline - *NextClockTextChange(*deadline - now);
    const auto wait = std::chrono::floor<std::chrono::milliseconds>(*m_due - now - TimerLead);
    m_timer.start(std::max(wait, 0ms));
}
