// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The board's fixed-width counters: the text trimmed of spaces at both ends, zero-filled on the
// left and cut to its last `width` characters. Works on characters, not numbers.
//   ("7", 3)  #=> "007"      ("1234", 3)  #=> "234"      ("ab", 2)  #=> "ab"      (" 42 ", 3)  #=>
//   "042"
QString PaddedText(const QString &text, int width);
