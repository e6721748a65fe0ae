// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardprotocol.h"

class SharedFrames;

// The board's process as the frame scheduler sees it: a process that draws into shared frames,
// is told things and answers questions in turn (the answers come to FrameScheduler::received).
// BoardProcess is the real one.
class BoardChannel
{
public:
    virtual ~BoardChannel() = default;

    virtual bool isRunning() const = 0;
    virtual SharedFrames &frames() = 0;
    virtual void tell(const BoardProtocol::ToBoard &message) = 0;
    // Tells, and expects the answer within the process's answer limit.
    virtual void ask(const BoardProtocol::ToBoard &message) = 0;
    virtual bool isAsking() const = 0;
    // It answered what it cannot mean (a frame outside the frames, say): it is ended as faulty.
    virtual void reject() = 0;

protected:
    BoardChannel() = default;
    BoardChannel(const BoardChannel &) = default;
    BoardChannel &operator=(const BoardChannel &) = default;
};
