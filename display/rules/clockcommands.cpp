// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockcommands.h"

#include "boardvariables.h"
#include "textnumber.h"

PlayPauseStep DecidePlayPause(const QString &playState, const QString &minutes,
                              const QString &seconds,
                              const std::function<QString(const QString &name)> &readClock)
{
    // "Not greater than 0" rather than "at most 0": a NaN holds no time either.
    if (!(TextToNumber(seconds) + TextToNumber(minutes) > 0))
        return PlayPauseStep::SetTheTime;
    const double sec = TextToNumber(readClock(BoardName::Seconds));
    const double mil = TextToNumber(readClock(BoardName::Milliseconds));
    const double min = TextToNumber(readClock(BoardName::Minutes));
    if (!(sec + mil + min > 0))
        return PlayPauseStep::SetTheTime;
    if (playState == PlayCaption)
        return PlayPauseStep::Start;
    if (playState == PauseCaption)
        return PlayPauseStep::Hold;
    return PlayPauseStep::Nothing;
}
