// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <utility>

// What the operator window's fields hold for the board, as text.
struct BoardFields
{
    QString period; // the text of the period list's selected item (see BoardPeriod)
    QString nameA;
    QString nameB;
    QString pointsA;
    QString pointsB;
    QString faultsA;
    QString faultsB;
};

using BoardVariable = std::pair<QString, QString>;

// The seven variables a refresh sends, in the order it sends them, each in the board's format:
// the names as typed, points zero-filled to 3 characters and fouls to 2 (PaddedText).
//   {"1", "A", "B", "7", "1234", "", "3"}  #=>  period "1", name_a "A", name_b "B",
//       points_a "007", points_b "234", faults_a "00", faults_b "03"
std::array<BoardVariable, 7> BoardVariables(const BoardFields &fields);

// The period the board shows: the selected item's text; with no item selected (the operator has
// typed a period), the typed text.
QString BoardPeriod(int selectedIndex, const QString &selectedText, const QString &typedText);

// The clock's start value as Set sends it (s_min, s_sec): the entries' numbers as plain text.
//   ("05", "")  #=>  s_min "5", s_sec "0"
std::array<BoardVariable, 2> ClockStartVariables(const QString &minutes, const QString &seconds);
