// SPDX-License-Identifier: GPL-3.0-or-later
// TextToNumber on any text: never NaN, blind to blanks, blind to what follows the number, in
// agreement with the C library's reading wherever that reads the same language, and giving a
// value that NumberToText writes back.

#include "fuzzcheck.h"
#include "textnumber.h"

#include <cmath>
#include <cstdlib>
#include <string>

using namespace Qt::StringLiterals;

namespace {

QString WithoutBlanks(const QString &text)
{
    QString kept;
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            kept += c;
    }
    return kept;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The number of a blank-free text as read by the C library (strtod in the "C" locale, which
// rounds correctly), or NaN for an octal whole number too long for strtoull.
double Reference(const std::string &text)
{
    const auto prefix = [&](char upper) {
        return text.size() >= 2 && text[0] == '&' && (text[1] == upper || text[1] == upper + 32);
    };
    if (prefix('H')) {
        std::size_t end = 2;
        while (end < text.size() && IsHexDigit(text[end]))
            ++end;
        const std::string hex = "0x" + text.substr(2, end - 2);
        return end == 2 ? 0.0 : std::strtod(hex.c_str(), nullptr);
    }
    if (prefix('O')) {
        std::size_t end = 2;
        while (end < text.size() && text[end] >= '0' && text[end] <= '7')
            ++end;
        const std::string octal = text.substr(2, end - 2);
        const std::size_t first = octal.find_first_not_of('0');
        if (first != std::string::npos && octal.size() - first > 21)
            return NAN;
        return first == std::string::npos ? 0.0 : double(std::strtoull(octal.c_str(), nullptr, 8));
    }
    // Only ASCII digits and a point after the sign start a decimal number; anything else is 0.
    // An "x" never continues one, so the text is cut there: strtod would read "0x1p3" as 8.
    const std::string decimal = text.substr(0, text.find_first_of("xX"));
    const std::size_t first = !decimal.empty() && (decimal[0] == '+' || decimal[0] == '-') ? 1 : 0;
    if (first < decimal.size() &&
        ((decimal[first] >= '0' && decimal[first] <= '9') || decimal[first] == '.'))
        return std::strtod(decimal.c_str(), nullptr);
    return 0.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = WithinAMillisecond([&] { return TextToNumber(text); });
    Check(!std::isnan(value), "no text reads as NaN", text);

    const QString plain = WithoutBlanks(text);
    Check(TextToNumber(plain) == value, "blanks change nothing", text);
    Check(TextToNumber(QString(text + u'x')) == value, "what follows the number changes nothing",
          text);

    const double reference = Reference(plain.toStdString());
    Check(std::isnan(reference) || reference == value, "agrees with the C library",
          QString::number(value, 'g', 17) + u" instead of "_s +
              QString::number(reference, 'g', 17));

    if (std::isfinite(value)) {
        const double back = TextToNumber(NumberToText(value));
        Check(std::abs(back - value) <= std::abs(value) * 1e-14, "NumberToText reads back",
              NumberToText(value));
    }
    return 0;
}
