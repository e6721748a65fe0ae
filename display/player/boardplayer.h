// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprotocol.h"
#include "confinement.h"
#include "movieloader.h"
#include "sharedframes.h"

#include <QImage>
#include <QObject>
#include <QQmlEngine>
#include <QQmlPropertyMap>
#include <QQuickRenderControl>
#include <QQuickWindow>

#include <functional>
#include <memory>
#include <optional>

// The board's process: plays the movie with no window of its own and draws each frame asked
// for into the shared frame buffer, with Qt Quick's software renderer (which redraws only what
// changed), then says where it differs from the frame on the screen. It starts ahead of the
// movie, and is confined by the system at the movie's load, before the movie's first byte is read
// and before the engine starts threads that the confinement would not hold.
class BoardPlayer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardPlayer)

public:
    using Send = std::function<void(const BoardProtocol::FromBoard &)>;

    BoardPlayer(qintptr framesHandle, Send send);
    ~BoardPlayer() override;

    void handle(const BoardProtocol::ToBoard &message);

    // What holds the process below Qt since the first movie's load; nothing before it.
    const std::optional<ConfinementReport> &confinement() const { return m_confinement; }

private:
    void warmUp();
    // Confines the process to the movie's folder, then makes the engine and the stage the movie
    // plays on.
    void makeStage(const QString &moviePath);
    void resize(const BoardProtocol::Size &size);
    void render(quint32 number);
    void inspect(quint32 number);
    void sceneChanged();

    Send m_send;
    SharedFrames m_frames;
    QImage m_target;
    QQuickRenderControl m_control;
    QQuickWindow m_window;
    QQmlPropertyMap m_board;
    std::optional<ConfinementReport> m_confinement;
    std::unique_ptr<QQmlEngine> m_engine;
    QQuickItem *m_stage = nullptr;
    std::unique_ptr<MovieLoader> m_loader;
    // The first frame at a new size is new everywhere: the shown one is no guide.
    bool m_whole = true;
    // Changed is said once until the next Render, and not for the variables just set.
    bool m_changeTold = false;
    bool m_setSinceRender = false;
};
