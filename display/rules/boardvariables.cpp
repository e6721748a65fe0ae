// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardvariables.h"

#include "boardtext.h"
#include "textnumber.h"

namespace {

constexpr int PointsWidth = 3;
constexpr int FaultsWidth = 2;

} // namespace

std::array<BoardVariable, 7> BoardVariables(const BoardFields &fields)
{
    return {{
        {BoardName::Period, fields.period},
        {BoardName::NameA, fields.nameA},
        {BoardName::NameB, fields.nameB},
        {BoardName::PointsA, PaddedText(fields.pointsA, PointsWidth)},
        {BoardName::PointsB, PaddedText(fields.pointsB, PointsWidth)},
        {BoardName::FaultsA, PaddedText(fields.faultsA, FaultsWidth)},
        {BoardName::FaultsB, PaddedText(fields.faultsB, FaultsWidth)},
    }};
}

QString BoardPeriod(int selectedIndex, const QString &selectedText, const QString &typedText)
{
    return selectedIndex >= 0 ? selectedText : typedText;
}

std::array<BoardVariable, 2> ClockStartVariables(const QString &minutes, const QString &seconds)
{
    return {{
        {BoardName::StartMinutes, NumberToText(TextToNumber(minutes))},
        {BoardName::StartSeconds, NumberToText(TextToNumber(seconds))},
    }};
}
