// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardtext.h"

// Characters are Unicode code points: a surrogate pair counts as one, so the cut never leaves
// half of one behind ("x😀", 2 #=> "x😀", three UTF-16 units). Only the space character is
// trimmed; a tab is a character like any other.
QString PaddedText(const QString &text, int width)
{
    if (width <= 0)
        return {};
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;

    qsizetype start = end;
    int kept = 0;
    for (; kept < width && start > begin; ++kept) {
        --start;
        if (text[start].isLowSurrogate() && start > begin && text[start - 1].isHighSurrogate())
            --start;
    }
    return QString(width - kept, u'0') + QStringView(text).sliced(start, end - start);
}
