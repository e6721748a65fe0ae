// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <chrono>

// The time the game clock counts on: a monotonic clock, the steady clock in the program. It can
// be replaced. A test's clock is moved by hand and says so with moved(); the game clock then
// catches up at once rather than at the wake it planned by the real time:
//
//   class FakeTime : public ClockTime {   now() returns a value the test sets, and
//       void advance(d) { m_now += d; Q_EMIT moved(); }   ... }
class ClockTime : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockTime)

public:
    using QObject::QObject;

    // Any fixed epoch; never goes back.
    virtual std::chrono::nanoseconds now() const;

Q_SIGNALS:
    // The time moved other than by its passing.
    void moved();
};
