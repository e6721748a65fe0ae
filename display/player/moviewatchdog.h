// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

class QJSEngine;

// Cuts short the movie's scripts when its start takes too long: a script that never ends would
// hold the user-interface thread, and with it the operator window, for ever. A QTimer cannot
// fire while that thread is stuck, so a thread of its own watches, and interrupts the engine's
// scripts once the limit has passed.
//
// Runs `work` under that watch and tells whether the scripts were cut short. When it returns,
// the watch is over and the engine runs scripts again, so the answer is final:
//   if (RunWatched(engine, StartLimit, [&] { created = component.create(); })) ... drop it ...
//
// Work the engine does outside scripts (laying out a million items, say) cannot be cut short.
bool RunWatched(QJSEngine *engine, std::chrono::milliseconds limit,
                const std::function<void()> &work);

// Several times what an honest scoreboard takes to start on a slow machine, short enough not to
// keep the operator waiting for the window.
inline constexpr std::chrono::milliseconds StartLimit{750};
