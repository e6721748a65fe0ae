// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys.h"

#include "textnumber.h"
#include "virtualkey.h"

namespace {

// -1 when any modifier is held, +1 when none.
int StepFor(int modifierBits)
{
    return modifierBits != 0 ? -1 : 1;
}

} // namespace

Hotkey HotkeyFor(int keyCode, int modifierBits)
{
    using Action = Hotkey::Action;
    const int step = StepFor(modifierBits);
    const auto counter = [step](ScoreField field, int limit) {
        return Hotkey{Action::CounterStep, step, field, limit};
    };
    switch (keyCode) {
    case VirtualKey::Escape:
        return {Action::LeaveFullScreen};
    case VirtualKey::Space:
        return {Action::PlayPause};
    case VirtualKey::Digit1:
        return counter(ScoreField::PointsA, PointsLimit);
    case VirtualKey::F1:
        return counter(ScoreField::FaultsA, FaultsLimit);
    case VirtualKey::Digit9:
        return counter(ScoreField::PointsB, PointsLimit);
    case VirtualKey::F9:
        return counter(ScoreField::FaultsB, FaultsLimit);
    case VirtualKey::P:
        return {Action::PeriodStep, step};
    case VirtualKey::S:
        // Shift alone: with Ctrl or Alt as well, S is no hotkey.
        return modifierBits == ModifierBit::Shift ? Hotkey{Action::Set} : Hotkey{};
    default:
        return {};
    }
}

std::optional<QString> CounterStep(const QString &text, int step, int limit)
{
    const double sum = TextToNumber(text) + step;
    if (sum > -1 && sum < limit)
        return NumberToText(sum);
    return std::nullopt;
}

std::optional<int> PeriodStep(int index, int step, int count)
{
    const qint64 next = qint64(index) + step; // no overflow at the ends of int
    if (next > -1 && next < count)
        return int(next);
    return std::nullopt;
}
