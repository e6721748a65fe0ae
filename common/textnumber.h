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
double TextToNumber(QStringView text);

// The plain decimal text of a number: whole numbers as bare digits ("7", "-12"), anything else
// with up to 15 significant digits and no trailing zeros. The decimal separator is always the
// point, whatever the locale, because TextToNumber reads only the point.
//   7.0  #=> "7"        2.5  #=> "2.5"        0.1 + 0.2  #=> "0.3"
QString NumberToText(double value);
