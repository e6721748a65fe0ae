// SPDX-License-Identifier: GPL-3.0-or-later
#include "textnumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// Enough significant digits to round any decimal text correctly to a double (768 decide it);
// the digits beyond are only remembered as "something non-zero followed".
constexpr std::size_t MaxDecimalDigits = 800;
// A written exponent is read up to this, far beyond any count of digits a text can hold, so
// that "0.<300000 zeros>1e300001" is still 1.
constexpr qint64 MaxWrittenExponent = 1'000'000'000'000'000;
// A number of at least 10^310 overflows a double; one below 10^-330 is 0.
constexpr qint64 OverflowMagnitude = 310;
constexpr qint64 UnderflowMagnitude = -330;
// Digits after the leading zeros that a whole number can have before it is too large for a
// double: 16^257 = 2^1028 and 8^342 = 2^1026 lie beyond the largest double.
constexpr std::size_t MaxHexDigits = 257;
constexpr std::size_t MaxOctalDigits = 342;

// The characters of a text with blanks, tabs and line feeds stepped over wherever they stand.
class BlankSkipper
{
public:
    explicit BlankSkipper(QStringView text) : m_text(text) {}

    // The next character that is not skipped, or 0 at the end.
    char16_t peek()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos].unicode()))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos].unicode() : char16_t(0);
    }
    void next() { ++m_pos; }

private:
    static bool isSkipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigitValue(char16_t c)
{
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Octal digits regrouped as hexadecimal digits, three bits each:  "17"  #=> "f"
std::string octalAsHex(const std::string &octal)
{
    std::string bits((4 - octal.size() * 3 % 4) % 4, '0');
    for (char digit : octal) {
        const int value = digit - '0';
        bits += (value & 4) ? '1' : '0';
        bits += (value & 2) ? '1' : '0';
        bits += (value & 1) ? '1' : '0';
    }
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                           (bits[i + 3] - '0');
        hex += "0123456789abcdef"[nibble];
    }
    return hex;
}

// "&H" and "&O" after the ampersand: an unsigned whole number, "&HFFFF" is 65535. No digits
// give 0, a value beyond the largest double gives infinity.
double readRadixNumber(BlankSkipper &in)
{
    const char16_t prefix = in.peek();
    const bool hex = prefix == u'H' || prefix == u'h';
    if (!hex && prefix != u'O' && prefix != u'o')
        return 0;
    in.next();

    std::string digits; // significant digits, as lower-case hexadecimal or octal characters
    const std::size_t maxDigits = hex ? MaxHexDigits : MaxOctalDigits;
    bool tooLarge = false;
    for (char16_t c = in.peek();; c = in.peek()) {
        const int value = hexDigitValue(c);
        if (value < 0 || (!hex && value > 7))
            break;
        in.next();
        if (digits.empty() && value == 0)
            continue;
        if (digits.size() == maxDigits)
            tooLarge = true; // keep reading to the end of the digits; nothing else to do
        else
            digits += "0123456789abcdef"[value];
    }
    if (tooLarge)
        return Infinity;
    if (digits.empty())
        return 0;
    if (!hex)
        digits = octalAsHex(digits);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::hex);
    Q_UNUSED(end);
    return ec == std::errc::result_out_of_range ? Infinity : value;
}

// A decimal number with optional sign, fraction and exponent. The value is gathered as
// significant digits times a power of ten and rounded once, by std::from_chars (which, unlike
// strtod, ignores the locale's decimal separator).
double readDecimalNumber(BlankSkipper &in)
{
    double sign = 1;
    if (in.peek() == u'+' || in.peek() == u'-') {
        sign = in.peek() == u'-' ? -1 : 1;
        in.next();
    }

    std::string digits; // significant digits: value = digits × 10^exponent
    qint64 exponent = 0;
    bool anyDigit = false;
    bool droppedNonZero = false;
    const auto takeDigit = [&](char16_t c, bool fraction) {
        anyDigit = true;
        if (digits.size() < MaxDecimalDigits) {
            if (!digits.empty() || c != u'0')
                digits += char(c);
            if (fraction)
                --exponent;
        } else {
            droppedNonZero = droppedNonZero || c != u'0';
            if (!fraction)
                ++exponent;
        }
    };
    for (; isDigit(in.peek()); in.next())
        takeDigit(in.peek(), false);
    if (in.peek() == u'.') {
        in.next();
        for (; isDigit(in.peek()); in.next())
            takeDigit(in.peek(), true);
    }
    if (!anyDigit)
        return 0;

    // An "e" counts only when digits follow it: "2e" and "2e+" are 2.
    if (in.peek() == u'e' || in.peek() == u'E') {
        in.next();
        qint64 exponentSign = 1;
        if (in.peek() == u'+' || in.peek() == u'-') {
            exponentSign = in.peek() == u'-' ? -1 : 1;
            in.next();
        }
        qint64 written = 0;
        for (; isDigit(in.peek()); in.next())
            written = std::min(written * 10 + (in.peek() - u'0'), MaxWrittenExponent);
        exponent += exponentSign * written;
    }

    if (digits.empty())
        return sign * 0.0;
    if (droppedNonZero) {
        // A trailing 1 stands for the dropped digits, so that a value just above a halfway
        // point between two doubles is not rounded as if it were exactly on it.
        digits += '1';
        --exponent;
    }
    const qint64 magnitude = exponent + qint64(digits.size()); // 10^(magnitude-1) <= value
    if (magnitude > OverflowMagnitude)
        return sign * Infinity;
    if (magnitude < UnderflowMagnitude)
        return sign * 0.0;
    const std::string text = digits + 'e' + std::to_string(exponent);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    Q_UNUSED(end);
    if (ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? Infinity : 0.0;
    return sign * value;
}

// Significant digits and decimal exponent of a number rounded to 15 significant digits, with
// trailing zeros dropped:  0.000123  #=> {"123", -4}
struct Rounded
{
    std::string digits;
    int exponent;
};

Rounded roundTo15Digits(double magnitude)
{
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    Q_UNUSED(ec); // 32 characters hold "d.dddddddddddddde-ddd"
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    Rounded rounded{text.substr(0, 1) + text.substr(2, e - 2), std::stoi(text.substr(e + 1))};
    rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
    return rounded;
}

} // namespace

double TextToNumber(QStringView text)
{
    BlankSkipper in(text);
    if (in.peek() == u'&') {
        in.next();
        return readRadixNumber(in);
    }
    return readDecimalNumber(in);
}

QString NumberToText(double value)
{
    // Infinity is written as a text that reads back as infinity; no text reads as NaN.
    if (std::isnan(value))
        return u"NaN"_s;
    if (std::isinf(value))
        return value > 0 ? u"1e999"_s : u"-1e999"_s;
    if (value == 0)
        return u"0"_s; // also for -0

    if (value == std::trunc(value)) {
        // Every digit of the whole number, exactly: 1e20 is "100000000000000000000".
        char buffer[400]; // the largest double has 309 digits
        const auto [end, ec] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
        Q_UNUSED(ec);
        return QString::fromLatin1(buffer, end - buffer);
    }

    const Rounded rounded = roundTo15Digits(std::abs(value));
    const std::string &digits = rounded.digits;
    const int exponent = rounded.exponent;
    const auto count = int(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (exponent < -4) {
        //   1.5e-7  #=> "1.5e-7"   (rather than seven zeros)
        text += digits.substr(0, 1);
        if (count > 1)
            text += '.' + digits.substr(1);
        text += 'e' + std::to_string(exponent);
    } else if (exponent < 0) {
        //   0.0123  #=> "0.0123"
        text += "0." + std::string(-exponent - 1, '0') + digits;
    } else if (exponent >= count - 1) {
        //   999999999999999.95  #=> "1000000000000000"  (rounding made it whole)
        text += digits + std::string(exponent - (count - 1), '0');
    } else {
        //   2.5  #=> "2.5"
        text += digits.substr(0, exponent + 1) + '.' + digits.substr(exponent + 1);
    }
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}
