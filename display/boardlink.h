// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprocess.h"
#include "movieoutcome.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// The board as the display control sees it: the movie playing in a process of its own, told the
// board's variables, and its frames put on the screen. A change of a variable asks for a frame
// at once; a change known in advance (the clock's next text) is drawn ahead and shown the moment
// it comes true. A process that crashes is started again with the board as it stands, a few
// times; one that stops answering is not.
//
//   link.setVariable("points_a", "007");        a frame with it, as soon as it is drawn
//   link.prepare("clock", "59.8");               drawn now, held back ...
//   link.setVariable("clock", "59.8");           ... and shown here, at once
class BoardLink : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardLink)

public:
    // Crashes forgiven within a minute; a movie that crashes more is given up.
    static constexpr int MaxRestarts = 3;

    explicit BoardLink(QObject *parent = nullptr);

    void load(const QString &path);
    void setVariable(const QString &name, const QString &value);
    // Of a variable already set; others are not drawn ahead.
    void prepare(const QString &name, const QString &value);
    // Nothing is coming: no frame is drawn ahead.
    void unprepare();
    // The frames' size in device pixels, and the device pixel ratio.
    void setSize(QSize pixels, double ratio);

    // Playing from the first frame on the screen on; the notice for the movie's fault (or its
    // process's) once it does not play, empty before.
    bool isPlaying() const
    {
        return m_phase == Phase::Playing && m_outcome == MovieOutcome::Playing;
    }
    QString notice() const { return m_phase == Phase::Failed ? NoticeText(m_outcome) : QString(); }
    // The frame on the screen; null while there is none at the current size.
    QImage shown() const;

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
    // The one question out, when it is a Render.
    struct Request
    {
        quint32 number = 0;
        int sizeGeneration = 0;
        // A frame drawn ahead, for this variable's coming value.
        std::optional<std::pair<QString, QString>> prepared;
    };
    struct ReadyFrame
    {
        QRect changed;
        std::pair<QString, QString> prepared;
    };

    void received(const BoardProtocol::FromBoard &message);
    void processEnded(BoardProcess::End why);
    void restart();
    void startLoad();
    void fail(MovieOutcome outcome);
    void scheduleSoon();
    void schedule();
    void tellChanges();
    void frameArrived(const BoardProtocol::Frame &frame);
    void putOnScreen(const QRect &changed);
    bool comesTrue(const std::pair<QString, QString> &prepared) const;

    BoardProcess m_process;
    Phase m_phase = Phase::Idle;
    MovieOutcome m_outcome = MovieOutcome::Missing;
    QString m_path;
    QSize m_size;
    double m_ratio = 1;
    int m_sizeGeneration = 0;
    bool m_sizeShown = false;
    // The board as it stands, and as the process was last told it.
    QHash<QString, QString> m_values;
    QHash<QString, QString> m_told;
    bool m_wantsFrame = false;
    bool m_movedByItself = false;
    std::optional<std::pair<QString, QString>> m_wish;
    std::optional<Request> m_request;
    std::optional<ReadyFrame> m_ready;
    quint32 m_nextNumber = 1;
    bool m_schedulePosted = false;
    int m_restarts = 0;
    QElapsedTimer m_sinceRestart;
};
