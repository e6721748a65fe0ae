// SPDX-License-Identifier: GPL-3.0-or-later
#include "limitentry.h"

#include "textnumber.h"

#include <cmath>
#include <limits>

namespace {

// The nearest whole number, a half going to the even neighbour: 2.5 #=> 2, 3.5 #=> 4.
double RoundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2) != 0))
        return below + 1;
    return below;
}

} // namespace

QString LimitEntry(const QString &text, qint16 bound)
{
    if (text.isEmpty())
        return {};
    const double number = RoundHalfToEven(TextToNumber(text));
    // NaN fails every comparison, infinity the range test: both give the empty text.
    if (!(number >= std::numeric_limits<qint16>::min() &&
          number <= std::numeric_limits<qint16>::max()))
        return {};
    const auto whole = qint16(number);
    if (whole > bound || whole < 1)
        return {};
    return QString::number(whole);
}
