// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolder.h"
#include "textnumber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

// The 15 significant digits of a number and its exponent, e.g. "3.33333333333333e-01".
QString Digits15(double value)
{
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString Repeated(QStringView piece, int times)
{
    return piece.toString().repeated(times);
}

} // namespace

class TestTextNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textToNumber_data();
    void textToNumber();
    void numberToText_data();
    void numberToText();
    void numberToTextIgnoresLocale();
    void roundTrip_data();
    void roundTrip();
    void roundTripOfRandomBits();
    void programFolder();
};

void TestTextNumber::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    // Decimal numbers
    QTest::newRow("leading zeros") << u"007"_s << 7.0;
    QTest::newRow("minus") << u"-12"_s << -12.0;
    QTest::newRow("fraction") << u"2.5"_s << 2.5;
    QTest::newRow("point first") << u".5"_s << 0.5;

    // Blanks, tabs and line feeds are skipped anywhere, also inside the number
    QTest::newRow("between digits") << u" 1 2abc"_s << 12.0;
    QTest::newRow("after sign") << u"\t- 4\n2"_s << -42.0;
    QTest::newRow("around e") << u"1 e - 2"_s << 0.01;
    QTest::newRow("inside &H") << u"& H 1 F"_s << 31.0;
    QTest::newRow("carriage return ends") << u"\r5"_s << 0.0;

    // Reading stops at the first character that cannot continue
    QTest::newRow("comma") << u"3,5"_s << 3.0;
    QTest::newRow("second point") << u"1.2.3"_s << 1.2;
    QTest::newRow("non-ASCII digit") << u"1\u0663"_s << 1.0;

    // Texts that do not start with a number
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letter first") << u"x5"_s << 0.0;
    QTest::newRow("lone minus") << u"-"_s << 0.0;
    QTest::newRow("lone point") << u"."_s << 0.0;
    QTest::newRow("two signs") << u"+-1"_s << 0.0;
    QTest::newRow("exponent only") << u"e5"_s << 0.0;

    // Exponents; an e without digits ends the number before it
    QTest::newRow("E minus") << u"1E-2"_s << 0.01;
    QTest::newRow("e plus") << u"2.5e+1"_s << 25.0;
    QTest::newRow("dangling e") << u"2e"_s << 2.0;
    QTest::newRow("dangling e plus") << u"2e+"_s << 2.0;
    QTest::newRow("e then letter") << u"2e-x"_s << 2.0;

    // Hexadecimal and octal whole numbers, unsigned
    QTest::newRow("&h lower case") << u"&hff"_s << 255.0;
    QTest::newRow("&H 16 bits") << u"&HFFFF"_s << 65535.0;
    QTest::newRow("&O") << u"&O17"_s << 15.0;
    QTest::newRow("&H without digits") << u"&H"_s << 0.0;
    QTest::newRow("&H stops at G") << u"&H1G"_s << 1.0;
    QTest::newRow("&O stops at 8") << u"&O78"_s << 7.0;
    QTest::newRow("unknown prefix") << u"&X1"_s << 0.0;
    QTest::newRow("sign before &H") << u"-&H10"_s << 0.0;
    QTest::newRow("&H 30 digits") << (u"&H"_s + Repeated(u"F", 30)) << std::ldexp(1.0, 120);
    QTest::newRow("&H leading zeros") << (u"&H"_s + Repeated(u"0", 500) + u"1"_s) << 1.0;
    QTest::newRow("&H overflow") << (u"&H1"_s + Repeated(u"0", 256)) << Inf;
    QTest::newRow("&O overflow") << (u"&O"_s + Repeated(u"7", 400)) << Inf;
    QTest::newRow("&O 2^1021") << (u"&O2"_s + Repeated(u"0", 340)) << std::ldexp(1.0, 1021);

    // Extremes: beyond a double is infinity, below its smallest value is 0
    QTest::newRow("1e999") << u"1e999"_s << Inf;
    QTest::newRow("-1e999") << u"-1e999"_s << -Inf;
    QTest::newRow("1e-999") << u"1e-999"_s << 0.0;
    QTest::newRow("exponent of 30 digits") << (u"1e"_s + Repeated(u"9", 30)) << Inf;
    QTest::newRow("400 digits") << (u"1"_s + Repeated(u"0", 399)) << Inf;
    QTest::newRow("largest double")
        << u"1.7976931348623157e308"_s << std::numeric_limits<double>::max();
    QTest::newRow("smallest double") << u"4.9e-324"_s << std::numeric_limits<double>::denorm_min();
    QTest::newRow("exponent undoes 400 zeros")
        << (u"0."_s + Repeated(u"0", 400) + u"1e401"_s) << 1.0;

    // Rounding decided by digits far behind the point: 2^53 + 1 lies halfway between doubles
    QTest::newRow("halfway goes to even")
        << (u"9007199254740993."_s + Repeated(u"0", 900)) << 9007199254740992.0;
    QTest::newRow("above halfway goes up")
        << (u"9007199254740993."_s + Repeated(u"0", 900) + u"1"_s) << 9007199254740994.0;

    // Ten million characters: read in one pass
    QTest::newRow("10M digits") << Repeated(u"1", 10'000'000) << Inf;
    QTest::newRow("10M fraction digits")
        << (u"0."_s + Repeated(u"0", 10'000'000) + u"25e10000001"_s) << 2.5;
}

void TestTextNumber::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = TextToNumber(text);
    QVERIFY2(actual == expected, qPrintable(u"got %1"_s.arg(actual, 0, 'g', 17)));
}

void TestTextNumber::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    // Whole numbers: every digit, no exponent
    QTest::newRow("-12") << -12.0 << u"-12"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("minus zero") << -0.0 << u"0"_s;
    QTest::newRow("1e15") << 1e15 << u"1000000000000000"_s;
    QTest::newRow("1e20") << 1e20 << u"100000000000000000000"_s;
    QTest::newRow("2^53 + 2") << 9007199254740994.0 << u"9007199254740994"_s;
    QTest::newRow("-2^70") << -std::ldexp(1.0, 70) << u"-1180591620717411303424"_s;

    // Other numbers: up to 15 significant digits, no trailing zeros, a point
    QTest::newRow("2.5") << 2.5 << u"2.5"_s;
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << u"0.3"_s;
    QTest::newRow("one third") << 1.0 / 3 << u"0.333333333333333"_s;
    QTest::newRow("two thirds rounds") << 2.0 / 3 << u"0.666666666666667"_s;
    QTest::newRow("fraction of a large number") << 123456789.125 << u"123456789.125"_s;
    QTest::newRow("rounds to whole") << 2.9999999999999996 << u"3"_s;
    QTest::newRow("rounds to 16 digits") << 999999999999999.9 << u"1000000000000000"_s;

    // Small numbers: plain down to 0.0001, then with an exponent
    QTest::newRow("0.0001") << 0.0001 << u"0.0001"_s;
    QTest::newRow("0.00001") << 0.00001 << u"1e-5"_s;
    QTest::newRow("1.5e-7") << 1.5e-7 << u"1.5e-7"_s;
    QTest::newRow("smallest double")
        << std::numeric_limits<double>::denorm_min() << u"4.94065645841247e-324"_s;

    // Not finite: infinity as a text that reads back as infinity
    QTest::newRow("infinity") << Inf << u"1e999"_s;
    QTest::newRow("-infinity") << -Inf << u"-1e999"_s;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << u"NaN"_s;
}

void TestTextNumber::numberToText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberToText(value), expected);
}

void TestTextNumber::numberToTextIgnoresLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = NumberToText(2.5);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(text, u"2.5"_s);
}

void TestTextNumber::roundTrip_data()
{
    QTest::addColumn<double>("value");

    QTest::newRow("0.1") << 0.1;
    QTest::newRow("pi") << std::numbers::pi;
    QTest::newRow("-1e-300") << -1e-300;
    QTest::newRow("just below 1e-4") << 0.000099999999999999991;
    QTest::newRow("largest non-whole") << 4503599627370495.5;
    QTest::newRow("largest double") << std::numeric_limits<double>::max();
    QTest::newRow("smallest double") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("2^70 + 2^18") << std::ldexp(1.0, 70) + std::ldexp(1.0, 18);
}

void TestTextNumber::roundTrip()
{
    QFETCH(double, value);
    const double back = TextToNumber(NumberToText(value));
    if (value == std::trunc(value))
        QCOMPARE(back, value); // whole numbers come back exactly
    QCOMPARE(Digits15(back), Digits15(value));
}

void TestTextNumber::roundTripOfRandomBits()
{
    QRandomGenerator random(20240601);
    for (int i = 0; i < 100'000; ++i) {
        const double value = std::bit_cast<double>(random.generate64());
        if (!std::isfinite(value))
            continue;
        const QString text = NumberToText(value);
        const double back = TextToNumber(text);
        QVERIFY2(Digits15(back) == Digits15(value) && (value != std::trunc(value) || back == value),
                 qPrintable(text));
    }
}

void TestTextNumber::programFolder()
{
    const QString folder = ProgramFolder();
    QVERIFY(!folder.endsWith(QDir::separator()));
    QVERIFY(QFileInfo(folder).isDir());

    // Joined with this test's own file name, the folder names this very executable.
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString expected = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    QCOMPARE(ProgramFile(self), expected);
    QCOMPARE(ProgramFile(u"\\"_s + self), expected);
}

QTEST_GUILESS_MAIN(TestTextNumber)
#include "test_textnumber.moc"
