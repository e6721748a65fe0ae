// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprocess.h"
#include "framescheduler.h"
#include "movieoutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

// The board as the display control sees it: the movie playing in a process of its own, kept
// alive within its restart rule, and its frames put on the screen by a FrameScheduler. A process
// that crashes, grows past its memory or stops answering while it plays is started again with
// the board as it stands, a few times a minute, its last frame standing meanwhile; one that
// stops answering while it loads is not.
class BoardLink : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardLink)

public:
    // Restarts forgiven within a minute; a movie that needs more is given up.
    static constexpr int MaxRestarts = 3;

    explicit BoardLink(QObject *parent = nullptr);

    void load(const QString &path);
    // What the board shows and when: see FrameScheduler.
    FrameScheduler &frames() { return m_frames; }

    // Playing from the first frame on the screen on; the notice for the movie's fault (or its
    // process's) once it does not play, empty before.
    bool isPlaying() const
    {
        return m_phase == Phase::Playing && m_outcome == MovieOutcome::Playing;
    }
    QString notice() const;
    // The frame on the screen; null while there is none.
    QImage shown() const { return m_frames.shown(); }

Q_SIGNALS:
    // Part of the frame on the screen changed (device pixels): it wants painting.
    void shownChanged(const QRect &changed);
    // The movie started to play, or failed, or stopped.
    void outcomeChanged();

private:
    enum class Phase
    {
        Idle,    // no movie asked for yet
        Loading, // a Load asked
        Playing, // frames flow
        Failed,  // the notice stands
    };

    void received(const BoardProtocol::FromBoard &message);
    void frameShown(const QRect &changed);
    void processEnded(BoardProcess::End why);
    // Within the rule; given up with this outcome beyond it.
    void restart(MovieOutcome ifGivenUp = MovieOutcome::Crashed);
    void startLoad();
    void fail(MovieOutcome outcome);

    BoardProcess m_process;
    FrameScheduler m_frames{m_process};
    Phase m_phase = Phase::Idle;
    MovieOutcome m_outcome = MovieOutcome::Missing;
    QString m_path;
    int m_restarts = 0;
    QElapsedTimer m_sinceRestart;
};
