// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scorefield.h"

#include <QString>
#include <optional>

// The key table of the key catcher, free of widgets: what a key-down means, and the two stepping
// rules. The operator window carries out the action on its fields.

struct Hotkey
{
    enum class Action
    {
        None,            // no meaning: only the refresh that follows every key
        LeaveFullScreen, // Escape, whatever the modifiers
        PlayPause,       // Space, whatever the modifiers
        CounterStep,     // 1, F1, 9, F9: `step` on `field`, kept when 0 <= result < `limit`
        PeriodStep,      // P: `step` on the period list's index
        Set,             // Shift+S, Shift alone
    };

    Action action = Action::None;
    int step = 0;
    ScoreField field = ScoreField::PointsA;
    int limit = 0;

    friend bool operator==(const Hotkey &, const Hotkey &) = default;
};

inline constexpr int PointsLimit = 1000; // a counter step is kept when 0 <= result < limit
inline constexpr int FaultsLimit = 100;
inline constexpr int PeriodCount = 9;

// What a key-down does: its Windows virtual-key code and modifier bits (1 Shift, 2 Ctrl, 4 Alt).
//   (49, 0)  #=> CounterStep +1 on PointsA, limit 1000     (49, 2)  #=> the same with -1
//   (83, 1)  #=> Set     (83, 3)  #=> None     (27, 4)  #=> LeaveFullScreen     (97, 0)  #=> None
Hotkey HotkeyFor(int keyCode, int modifierBits);

// The counter field's new text after a step, or nothing when the result leaves 0..limit-1.
//   ("", +1, 1000)  #=> "1"     ("007", +1, 1000)  #=> "8"     ("2.5", +1, 1000)  #=> "3.5"
//   ("999", +1, 1000)  #=> nullopt     ("0", -1, 100)  #=> nullopt
std::optional<QString> CounterStep(const QString &text, int step, int limit);

// The period list's new index after a step, or nothing when it leaves 0..count-1.
//   (-1, +1, 9)  #=> 0     (-1, -1, 9)  #=> nullopt     (8, +1, 9)  #=> nullopt
std::optional<int> PeriodStep(int index, int step, int count);
