// PaddedText on any UTF-16 text and a width from -2 to 9 (the input's first byte): exactly
// `width` characters, the end of the zero-filled text trimmed of spaces, never half a surrogate
// pair.

#include "boardtext.h"
#include "fuzzcheck.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int width = data[0] % 12 - 2;
    const QString text = Utf16Text(data + 1, size - 1);

    const QString padded = WithinAMillisecond([&] { return PaddedText(text, width); });
    // toUcs4 counts a pair as one character and a lone surrogate as one.
    Check(padded.toUcs4().size() == qMax(width, 0), "exactly width characters", padded);
    if (width <= 0)
        return 0;

    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    const QString filled = QString(width, u'0') + text.mid(begin, end - begin);
    Check(filled.endsWith(padded), "the end of the zero-filled, trimmed text", padded);
    const qsizetype cut = filled.size() - padded.size();
    Check(!(filled[cut].isLowSurrogate() && filled[cut - 1].isHighSurrogate()),
          "no surrogate pair cut in half", padded);
    return 0;
}
