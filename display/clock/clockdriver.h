// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clocktime.h"
#include "gameclock.h"
#include "timerresolution.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <optional>

// Runs a GameClock for the board: takes the frame commands, and tells when the shown clock text
// changes and when a countdown runs out. It wakes once per change of the shown text, aimed at the
// exact moment the text changes, and never polls.
class ClockDriver : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockDriver)

public:
    // Counts on `time`, which outlives it; on the steady clock when null.
    explicit ClockDriver(ClockTime *time = nullptr, QObject *parent = nullptr);

    // The frame protocol of GameClock; the start value counts only at the cue.
    void gotoFrame(int frame);
    void play(double startMinutes = 0, double startSeconds = 0);

    // The text on the board: the last one announced by textChanged, "0.0" at first.
    QString text() const { return m_text; }
    // The text the board shows next while counting down; none while the clock stands.
    std::optional<QString> nextText() const;
    GameClock::Reading reading() const { return m_clock.reading(); }

    // Catches up with the time: announces what changed and plans the next wake-up. The timer
    // calls it, and so does the time's moved().
    void update();

Q_SIGNALS:
    void textChanged(const QString &text);
    // A countdown reached zero; once per countdown.
    void expired();

private:
    void wake();
    void plan(std::chrono::nanoseconds now);

    ClockTime m_steady;
    GameClock m_clock;
    QTimer m_timer;
    QString m_text;
    std::uint64_t m_expiries = 0;
    // When the text next changes, while counting down.
    std::optional<std::chrono::nanoseconds> m_due;
    // While counting down, so that the timer and the sleep after it wake on time.
    std::optional<FineTimers> m_fineTimers;
};
