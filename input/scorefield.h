// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The operator window's text fields that the key table and the entry filters act on.
enum class ScoreField
{
    PointsA,
    PointsB,
    FaultsA,
    FaultsB,
    Minutes,
    Seconds,
};

inline constexpr ScoreField ScoreFields[] = {ScoreField::PointsA, ScoreField::PointsB,
                                             ScoreField::FaultsA, ScoreField::FaultsB,
                                             ScoreField::Minutes, ScoreField::Seconds};

// The object name of the window's control for the field (team B's fouls with a capital F).
constexpr const char *FieldName(ScoreField field)
{
    switch (field) {
    case ScoreField::PointsA:
        return "points_a";
    case ScoreField::PointsB:
        return "points_b";
    case ScoreField::FaultsA:
        return "faults_a";
    case ScoreField::FaultsB:
        return "Faults_b";
    case ScoreField::Minutes:
        return "Minutos";
    case ScoreField::Seconds:
        return "segundos";
    }
    return "";
}
