#pragma once

#include <QString>
#include <QtGlobal>

// The filter applied to a typed entry after each key release: the empty text, or the digits of
// a whole number from 1 to `bound`. The number is rounded half to even to a signed 16-bit whole
// number; anything outside 1..bound (or outside 16 bits) gives the empty text.
//   ("05", 99)  #=> "5"      ("2.5", 99)  #=> "2"      ("0", 99)  #=> ""      ("100", 99)  #=> ""
QString LimitEntry(const QString &text, qint16 bound);
