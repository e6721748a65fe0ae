// SPDX-License-Identifier: GPL-3.0-or-later
// LimitEntry on any text and bound (the input's first two bytes): the empty text or the digits
// of a whole number from 1 to the bound, namely the number of the text rounded half to even.

#include "fuzzcheck.h"
#include "limitentry.h"
#include "textnumber.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const auto bound = qint16(data[0] | data[1] << 8);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    const QString result = WithinAMillisecond([&] { return LimitEntry(text, bound); });
    if (!result.isEmpty()) {
        bool digitsOnly = result[0] != u'0';
        for (QChar c : result)
            digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
        Check(digitsOnly, "plain digits without leading zeros", result);
        const int number = result.toInt();
        Check(number >= 1 && number <= bound, "from 1 to the bound", result);
    }

    // nearbyint rounds half to even in the default rounding mode; NaN fails both comparisons.
    const double rounded = std::nearbyint(TextToNumber(text));
    const bool accepted = !text.isEmpty() && rounded >= 1 && rounded <= bound;
    Check(result == (accepted ? QString::number(int(rounded)) : QString()),
          "the number of the text, rounded half to even", text + u" => " + result);
    Check(LimitEntry(result, bound) == result, "a filtered text passes unchanged", result);
    return 0;
}
