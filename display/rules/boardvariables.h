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

// The names the program gives the board's variables, as a board reads them (board.period, ...).
namespace BoardName {
inline const QString Period = QStringLiteral("period");
inline const QString NameA = QStringLiteral("name_a");
inline const QString NameB = QStringLiteral("name_b");
inline const QString PointsA = QStringLiteral("points_a");
inline const QString PointsB = QStringLiteral("points_b");
inline const QString FaultsA = QStringLiteral("faults_a");
inline const QString FaultsB = QStringLiteral("faults_b");
// The clock's start value, as Set sends it.
inline const QString StartMinutes = QStringLiteral("s_min");
inline const QString StartSeconds = QStringLiteral("s_sec");
// The clock's text as the board shows it, kept up to date by the display control.
inline const QString Clock = QStringLiteral("clock");
// The clock's current value, read back (GetVariable): minutes, seconds and milliseconds.
inline const QString Minutes = QStringLiteral("min");
inline const QString Seconds = QStringLiteral("sec");
inline const QString Milliseconds = QStringLiteral("mil");
} // namespace BoardName

// Every name the program sets (the clock's value is read, never set): the seven of a refresh in
// their order, the start value, the clock.
inline const std::array<QString, 10> BoardNames{
    BoardName::Period,       BoardName::NameA,   BoardName::NameB,   BoardName::PointsA,
    BoardName::PointsB,      BoardName::FaultsA, BoardName::FaultsB, BoardName::StartMinutes,
    BoardName::StartSeconds, BoardName::Clock};

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
