// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprocess.h"
#include "framescheduler.h"
#include "movieoutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

// The board as the display control sees it: the movie playing in a process of its own, and its
// frames put on the screen by a FrameScheduler. The movie's faults and its process's end become
// the outcome whose notice the board area shows.
//
// For the program's audience, a process that crashes, grows past its memory or stops answering
// while it plays is started again with the board as it stands, a few times a minute, its last
// frame standing meanwhile; one that stops answering while it loads is not. A board's author
// (the preview) sees the first fault as the audience would see the last.
class BoardLink : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardLink)

public:
    enum class Audience
    {
        Program, // restarts forgiven; the process's warnings go to ours
        Author,  // no restart; its warnings come as warned()
    };
    // Restarts forgiven within a minute for the program; a movie that needs more is given up.
    static constexpr int MaxRestarts = 3;

    explicit BoardLink(Audience audience = Audience::Program, QObject *parent = nullptr);

    void load(const QString &path);
    // What the board shows and when: see FrameScheduler.
    FrameScheduler &frames() { return m_frames; }
    // Asks the movie which of its texts a board author would want mended; the answer comes as
    // inspected().
    void inspect();

    // Playing from the first frame on the screen on; the notice for the movie's fault (or its
    // process's) once it does not play, empty before.
    bool isPlaying() const
    {
        return m_phase == Phase::Playing && m_outcome == MovieOutcome::Playing;
    }
    QString notice() const;
    // A movie asked for whose first frame has not come yet, nor its notice.
    bool isLoading() const
    {
        return (m_phase == Phase::Loading || m_phase == Phase::Playing) &&
               m_outcome != MovieOutcome::Playing;
    }
    // The frame on the screen; null while there is none.
    QImage shown() const { return m_frames.shown(); }
    // The process playing the movie; 0 when none runs.
    qint64 processId() const { return m_process.processId(); }
    // What holds the board's process below Qt, as it said when it loaded the movie: a line for
    // each layer, "held: ..." or "not held: ...". Empty before.
    QStringList confinement() const { return m_confinement; }

Q_SIGNALS:
    // Part of the frame on the screen changed (device pixels): it wants painting.
    void shownChanged(const QRect &changed);
    // The movie started to play, or failed, or stopped.
    void outcomeChanged();
    void inspected(const QStringList &findings);
    // A line of the process's standard error, for a board's author.
    void warned(const QString &line);

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

    const int m_maxRestarts;
    BoardProcess m_process;
    FrameScheduler m_frames{m_process};
    Phase m_phase = Phase::Idle;
    MovieOutcome m_outcome = MovieOutcome::Missing;
    QString m_path;
    int m_restarts = 0;
    QElapsedTimer m_sinceRestart;
    quint32 m_nextInspection = 1;
    QStringList m_confinement;
};
