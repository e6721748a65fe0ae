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
        {QStringLiteral("period"), fields.period},
        {QStringLiteral("name_a"), fields.nameA},
        {QStringLiteral("name_b"), fields.nameB},
        {QStringLiteral("points_a"), PaddedText(fields.pointsA, PointsWidth)},
        {QStringLiteral("points_b"), PaddedText(fields.pointsB, PointsWidth)},
        {QStringLiteral("faults_a"), PaddedText(fields.faultsA, FaultsWidth)},
        {QStringLiteral("faults_b"), PaddedText(fields.faultsB, FaultsWidth)},
    }};
}

QString BoardPeriod(int selectedIndex, const QString &selectedText, const QString &typedText)
{
    return selectedIndex >= 0 ? selectedText : typedText;
}

std::array<BoardVariable, 2> ClockStartVariables(const QString &minutes, const QString &seconds)
{
    return {{
        {QStringLiteral("s_min"), NumberToText(TextToNumber(minutes))},
        {QStringLiteral("s_sec"), NumberToText(TextToNumber(seconds))},
    }};
}
