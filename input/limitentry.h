// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scorefield.h"

#include <QString>
#include <QtGlobal>

// The filter applied to a typed entry after each key release: the empty text, or the digits of
// a whole number from 1 to `bound`. The number is rounded half to even to a signed 16-bit whole
// number; anything outside 1..bound (or outside 16 bits) gives the empty text.
//   ("05", 99)  #=> "5"      ("2.5", 99)  #=> "2"      ("0", 99)  #=> ""      ("100", 99)  #=> ""
QString LimitEntry(const QString &text, qint16 bound);

// The longest text an entry field holds. A field lays out its whole text on every repaint, so a
// pasted 10 MB name would freeze the window for seconds at each blink of the cursor; at this
// length a paste is cut and the console stays responsive.
inline constexpr int LongestEntry = 32767;

// The fields whose typed text LimitEntry holds, with their bounds. Team B's points are held like
// team A's, so that both teams' points behave alike.
struct EntryBound
{
    ScoreField field;
    qint16 bound;
};
inline constexpr EntryBound EntryBounds[] = {
    {ScoreField::PointsA, 1000}, {ScoreField::PointsB, 1000}, {ScoreField::FaultsA, 99},
    {ScoreField::FaultsB, 99},   {ScoreField::Minutes, 100},  {ScoreField::Seconds, 100},
};
