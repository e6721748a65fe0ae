// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Numbers live as text in the operator's fields. These two are the only way they are read and
// written, so that a value survives the round trip unchanged.

// The number a text starts with. Blanks, tabs and line feeds are skipped anywhere; a sign, a
// fraction after a point and an exponent are read, and "&H" / "&O" start a hexadecimal or octal
// whole number. Reading stops at the first character that cannot continue the number; a text
// that does not start with a number gives 0.
//   " 1 2abc"  #=> 12        "&HFF"  #=> 255        "3,5"  #=> 3        "x5"  #=> 0
// Skipped means skipped everywhere, also after the sign, around the point and "e", and inside
// the prefix:  "- 1 . 5 e 1"  #=> -15      "& h f f"  #=> 255
// An "e" without digits ends the number before it:  "2e+x"  #=> 2
// "&H" and "&O" numbers are unsigned ("&HFFFF" #=> 65535) and take no sign ("-&H1" #=> 0).
// A number beyond the range of a double is infinity ("1e999"); one too small for it is 0.
double TextToNumber(QStringView text);

// The plain decimal text of a number: whole numbers as bare digits ("7", "-12"), anything else
// with up to 15 significant digits and no trailing zeros. The decimal separator is always the
// point, whatever the locale, because TextToNumber reads only the point.
//   7.0  #=> "7"        2.5  #=> "2.5"        0.1 + 0.2  #=> "0.3"
// Whole numbers keep every digit (1e20 #=> "100000000000000000000"; -0 #=> "0"); fractions
// below 0.0001 take an exponent (0.000015 #=> "1.5e-5"). Infinity is written "1e999" and "-1e999",
// which read back as infinity; NaN is written "NaN" (which, like any text without a number,
// reads as 0). TextToNumber reads every other result back to the same 15 significant digits.
QString NumberToText(double value);
