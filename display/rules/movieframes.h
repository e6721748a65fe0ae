// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The movie's two frames that the program uses: the clock's cue, where Play takes the start
// value and comes to rest, and the hold, where the clock stands at its value until the next Play.
enum MovieFrame : int
{
    CueFrame = 0,
    HoldFrame = 6,
};
