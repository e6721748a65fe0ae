// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gameclock.h"

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
    explicit ClockDriver(QObject *parent = nullptr);
    // With a time source of one's own; with a fake one, call update() after moving it on.
    explicit ClockDriver(GameClock::TimeSource now, QObject *parent = nullptr);

    // The frame protocol of GameClock; the start value counts only at the cue.
    void gotoFrame(int frame);
    void play(double startMinutes = 0, double startSeconds = 0);

    // The text on the board: the last one announced by textChanged, "0.0" at first.
    QString text() const { return m_text; }
    std::chrono::nanoseconds remaining() const { return m_clock.remaining(); }
    // The text the board shows next while counting down; none while the clock stands.
    std::optional<QString> nextText() const;
    GameClock::Reading reading() const { return m_clock.reading(); }

    // Catches up with the time source: announces what changed and plans the next wake-up. The
    // timer calls it; with a fake time source a test calls it.
    void update();

Q_SIGNALS:
    void textChanged(const QString &text);
    // A countdown reached zero; once per countdown.
    void expired();
    // A change of the text that came with the passing of time, not with a command: when it was
    // due and when it was made, in the time source's terms. For measuring lateness.
    void changeTimed(std::chrono::nanoseconds due, std::chrono::nanoseconds made);

private:
    void wake();
    void plan(std::chrono::nanoseconds now);

    GameClock m_clock;
    QTimer m_timer;
    QString m_text;
    std::uint64_t m_expiries = 0;
    // When the text next changes, while counting down.
    std::optional<std::chrono::nanoseconds> m_due;
};
