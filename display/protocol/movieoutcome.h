// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How the board fared with its movie: it plays, or why not. The board's process reports those
// up to NoCanvas; the console's side of it the rest.
enum class MovieOutcome : quint8
{
    Playing,
    Missing,    // no movie file, or one that holds nothing
    TooLarge,   // more than the loader reads
    Unreadable, // there, but not to be read
    Broken,     // not a movie that plays, or one whose start never ended
    NoCanvas,   // a design canvas without a size that can be shown (zero, infinite, not a number)
    Crashed,    // the movie's process ended, and again each time it was started
    Hung,       // the movie's process stopped answering
    NoProcess,  // the movie's process could not be started at all
};
