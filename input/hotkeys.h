#pragma once

#include <QString>
#include <optional>

// The key table of the key catcher, free of widgets: what a key-down means, and the two
// stepping rules. The operator window applies the result to its fields.

namespace VirtualKey {
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Digit1 = 49;
inline constexpr int Digit9 = 57;
inline constexpr int P = 80;
inline constexpr int S = 83;
inline constexpr int F1 = 112;
inline constexpr int F9 = 120;
} // namespace VirtualKey

namespace ModifierBit {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace ModifierBit

inline constexpr int PointsLimit = 1000; // a counter step is kept when 0 <= result < limit
inline constexpr int FaultsLimit = 100;
inline constexpr int PeriodCount = 9;

// -1 when any modifier is held, +1 when none.
int StepFor(int modifierBits);

// The counter field's new text after a step, or nothing when the result leaves 0..limit-1.
//   ("", +1, 1000)  #=> "1"     ("007", +1, 1000)  #=> "8"     ("2.5", +1, 1000)  #=> "3.5"
//   ("999", +1, 1000)  #=> nullopt     ("0", -1, 100)  #=> nullopt
std::optional<QString> CounterStep(const QString &text, int step, int limit);

// The period list's new index after a step, or nothing when it leaves 0..count-1.
//   (-1, +1, 9)  #=> 0     (-1, -1, 9)  #=> nullopt     (8, +1, 9)  #=> nullopt
std::optional<int> PeriodStep(int index, int step, int count);
