// SPDX-License-Identifier: GPL-3.0-or-later
#include "limitentry.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLimitEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void limitEntry_data();
    void limitEntry();
    void typing_data();
    void typing();
};

void TestLimitEntry::limitEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bound");
    QTest::addColumn<QString>("expected");

    // No number, zero and below give the empty text
    QTest::newRow("empty") << QString() << 99 << QString();
    QTest::newRow("blanks") << u"   "_s << 99 << QString();
    QTest::newRow("zero") << u"0"_s << 99 << QString();
    QTest::newRow("negative") << u"-3"_s << 99 << QString();

    // The leading number, as plain digits (how it is read is test_textnumber's)
    QTest::newRow("leading zero") << u"05"_s << 99 << u"5"_s;
    QTest::newRow("exponent") << u"1e2"_s << 100 << u"100"_s;
    QTest::newRow("hexadecimal") << u"&H10"_s << 99 << u"16"_s;

    // The bound itself is accepted (each field's own bound is test_keys')
    QTest::newRow("the bound") << u"1000"_s << 1000 << u"1000"_s;
    QTest::newRow("one over the bound") << u"1001"_s << 1000 << QString();

    // Rounded half to even before the bounds are tested
    QTest::newRow("2.5") << u"2.5"_s << 99 << u"2"_s;
    QTest::newRow("3.5") << u"3.5"_s << 99 << u"4"_s;
    QTest::newRow("0.5") << u"0.5"_s << 99 << QString();
    QTest::newRow("0.51") << u"0.51"_s << 99 << u"1"_s;
    QTest::newRow("99.6 over fouls") << u"99.6"_s << 99 << QString();

    // Outside signed 16 bits
    QTest::newRow("16-bit top") << u"32767"_s << 32767 << u"32767"_s;
    QTest::newRow("rounds past the top") << u"32767.5"_s << 32767 << QString();
    QTest::newRow("32768") << u"32768"_s << 32767 << QString();
    QTest::newRow("65537 is not 1") << u"65537"_s << 99 << QString();
    QTest::newRow("1e999") << u"1e999"_s << 32767 << QString();

    // A bound below 1 accepts nothing
    QTest::newRow("bound 0") << u"1"_s << 0 << QString();
}

void TestLimitEntry::limitEntry()
{
    QFETCH(QString, text);
    QFETCH(int, bound);
    QFETCH(QString, expected);
    QCOMPARE(LimitEntry(text, qint16(bound)), expected);
}

// The filter runs after each typed character, on the text typed so far.
void TestLimitEntry::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("bound");
    QTest::addColumn<QString>("expected");

    QTest::newRow("points up to 1000") << u"1000"_s << 1000 << u"1000"_s;
    QTest::newRow("one more zero empties") << u"10000"_s << 1000 << QString();
    QTest::newRow("emptied, then typed on") << u"1000057"_s << 1000 << u"57"_s;
    QTest::newRow("letters vanish") << u"1a2"_s << 99 << u"12"_s;
    QTest::newRow("point vanishes") << u"1.5"_s << 99 << u"15"_s;
}

void TestLimitEntry::typing()
{
    QFETCH(QString, typed);
    QFETCH(int, bound);
    QFETCH(QString, expected);
    QString field;
    for (QChar c : typed)
        field = LimitEntry(field + c, qint16(bound));
    QCOMPARE(field, expected);
}

QTEST_GUILESS_MAIN(TestLimitEntry)
#include "test_limitentry.moc"
