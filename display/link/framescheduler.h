// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprotocol.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>

class BoardChannel;

// Which frames the board's process draws, and when they go on the screen. A change of a variable
// asks for a frame at once; a change known in advance (the clock's next text) is drawn ahead and
// shown the moment it comes true. One frame is asked for at a time; whatever else changes
// meanwhile goes with the next.
//
//   frames.setVariable("points_a", "007");        a frame with it, as soon as it is drawn
//   frames.prepare("clock", "59.8");               drawn now, held back ...
//   frames.setVariable("clock", "59.8");           ... and shown here, at once
class FrameScheduler : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrameScheduler)

public:
    // Draws with `channel`, which outlives it.
    explicit FrameScheduler(BoardChannel &channel, QObject *parent = nullptr);

    void setVariable(const QString &name, const QString &value);
    // The board's variable as it stands: the text last set, empty for a name never set.
    QString value(const QString &name) const { return m_values.value(name); }
    // Of a variable already set; others are not drawn ahead.
    void prepare(const QString &name, const QString &value);
    // Nothing is coming: no frame is drawn ahead.
    void unprepare();
    // The frames' size in device pixels, and the device pixel ratio.
    void setSize(QSize pixels, double ratio);

    // A process (new, or starting a movie anew) knows nothing yet: it is told the size now, and
    // everything else with its first frame.
    void restart();
    // Frames are drawn while the movie plays. Paused (its process loading, or ended and about to
    // be started again), the last frame stays on the screen until the next one comes; stopped,
    // none does.
    void play();
    void pause();
    void stop();
    // An answer of the process's, or its word that the movie moved by itself.
    void received(const BoardProtocol::FromBoard &message);

    // The frame on the screen; null while there is none at the current size.
    QImage shown() const;
    // Playing, with every variable set so far on the screen.
    bool isSettled() const { return m_playing && !m_wantsFrame && !m_request; }

Q_SIGNALS:
    // Part of the frame on the screen changed (device pixels): it wants painting. The first
    // frame at a size, or of a movie, is whole.
    void shownChanged(const QRect &changed);
    // Every variable set so far is on the screen (whether or not it changed a pixel).
    void settled();

private:
    using Prepared = std::pair<QString, QString>;
    // The one question out, a Render.
    struct Request
    {
        quint32 number = 0;
        int sizeGeneration = 0;
        // Drawn with every variable set so far.
        bool current = false;
        // A frame drawn ahead, for this variable's coming value.
        std::optional<Prepared> prepared;
    };
    // A frame drawn ahead, waiting for its value to come true.
    struct ReadyFrame
    {
        QRect changed;
        Prepared prepared;
    };

    void tellSize();
    void scheduleSoon();
    void schedule();
    void render(std::optional<Prepared> prepared);
    void tellChanges();
    void frameArrived(const BoardProtocol::Frame &frame);
    void putOnScreen(const QRect &changed);
    bool comesTrue(const Prepared &prepared) const;

    void leavePlaying();

    BoardChannel &m_channel;
    // Told of a movie since it was made, and drawing it.
    bool m_started = false;
    bool m_playing = false;
    QSize m_size;
    double m_ratio = 1;
    int m_sizeGeneration = 0;
    bool m_sizeShown = false;
    // A copy of the last frame shown while paused: the process's memory goes with the process.
    QImage m_held;
    // The board as it stands, and as the process was last told it.
    QHash<QString, QString> m_values;
    QHash<QString, QString> m_told;
    bool m_wantsFrame = false;
    bool m_movedByItself = false;
    std::optional<Prepared> m_wish;
    std::optional<Request> m_request;
    std::optional<ReadyFrame> m_ready;
    quint32 m_nextNumber = 1;
    bool m_schedulePosted = false;
};
