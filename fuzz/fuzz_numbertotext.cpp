// SPDX-License-Identifier: GPL-3.0-or-later
// NumberToText on any double (the input's first eight bytes): plain text that TextToNumber and
// the C library read back as the same number to 15 significant digits, and exactly for whole
// numbers.

#include "fuzzcheck.h"
#include "textnumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

namespace {

std::string Digits15(double value)
{
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    return std::string(buffer, result.ptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    double value = 0;
    if (size < sizeof value)
        return 0;
    std::memcpy(&value, data, sizeof value);

    const QString text = WithinAMillisecond([&] { return NumberToText(value); });
    if (std::isnan(value)) {
        Check(text == u"NaN", "NaN is written NaN", text);
        return 0;
    }
    const double back = TextToNumber(text);
    if (std::isinf(value)) {
        Check(back == value, "infinity reads back", text);
        return 0;
    }

    const std::string ascii = text.toStdString();
    Check(ascii.find_first_not_of("-0123456789.e") == std::string::npos,
          "only sign, digits, point and exponent", text);
    Check(back == value || Digits15(back) == Digits15(value), // -0 is written "0"
          "reads back to 15 significant digits", text);
    Check(std::strtod(ascii.c_str(), nullptr) == back, "the C library reads the same", text);

    if (value == std::trunc(value)) {
        Check(back == value, "a whole number reads back exactly", text);
        const std::size_t first = ascii[0] == '-' ? 1 : 0;
        Check(ascii.find_first_not_of("0123456789", first) == std::string::npos &&
                  (ascii[first] != '0' || ascii == "0"),
              "a whole number is bare digits without leading zeros", text);
    } else {
        const std::string mantissa = ascii.substr(0, ascii.find('e'));
        std::string digits;
        std::copy_if(mantissa.begin(), mantissa.end(), std::back_inserter(digits),
                     [](char c) { return c != '-' && c != '.'; });
        const std::size_t significant =
            digits.find_last_not_of('0') - digits.find_first_not_of('0') + 1;
        Check(significant <= 15, "at most 15 significant digits", text);
        Check(mantissa.find('.') == std::string::npos || mantissa.back() != '0',
              "no trailing zeros", text);
    }
    return 0;
}
