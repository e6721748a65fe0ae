// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// The clock buttons' rules, free of widgets. The Play/Pause button's caption and the operator
// window's PlayState are one of these two texts, and always agree: "Play" while the clock stands
// (the next click starts it), "Pause" while it runs. Set always leaves "Play".
inline constexpr QStringView PlayCaption = u"Play";
inline constexpr QStringView PauseCaption = u"Pause";
// The program's one message: there is no time to start or hold.
inline constexpr QStringView SetTheTimeMessage = u"Set the time";

enum class PlayPauseStep
{
    SetTheTime, // show the message; nothing else changes
    Start,      // "Pause" and Play: the countdown runs
    Hold,       // "Play" and the hold frame: the clock stands at its value
    Nothing,    // PlayState is neither text
};

// What a click on Play/Pause does. The entries' minutes and seconds must add up to more than 0;
// only then is the movie's clock read, `readClock` called for "sec", "mil" and "min" in this
// order, and the three must add up to more than 0 too. The two checks guard holding as well as
// starting. Then PlayState, compared exactly, chooses.
//   ("Play", "", "30", clock 0:30)  #=> Start      ("Pause", "0", "0", any)  #=> SetTheTime
//   ("Pause", "2", "", clock 0.0)  #=> SetTheTime  ("play", "2", "", clock 1:00)  #=> Nothing
PlayPauseStep DecidePlayPause(const QString &playState, const QString &minutes,
                              const QString &seconds,
                              const std::function<QString(const QString &name)> &readClock);
