// SPDX-License-Identifier: GPL-3.0-or-later
// PaddedText on any UTF-16 text and a width from -2 to 9 (the input's first byte), against the
// rule stated on its own terms, in code points rather than UTF-16 units: the text's code points
// without the spaces at both ends, `width` zeros in front, the last `width` of them. A cut through
// a surrogate pair shows as a replacement character where the rule has the whole code point.

#include "boardtext.h"
#include "fuzzcheck.h"

#include <QList>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int width = data[0] % 12 - 2;
    const QString text = Utf16Text(data + 1, size - 1);

    const QString padded = WithinAMillisecond([&] { return PaddedText(text, width); });

    const QList<uint> points = text.toUcs4();
    const auto isSpace = [](uint c) { return c == u' '; };
    const auto first = std::find_if_not(points.begin(), points.end(), isSpace);
    const auto last = std::find_if_not(points.rbegin(), std::make_reverse_iterator(first), isSpace);
    QList<uint> filled(qMax(width, 0), uint(u'0'));
    filled.append(QList<uint>(first, last.base()));
    const QList<uint> expected = filled.mid(filled.size() - qMax(width, 0));

    Check(padded.toUcs4() == expected,
          "the last width code points of the zero-filled, trimmed text", padded);
    return 0;
}
