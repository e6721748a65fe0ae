// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardtext.h"
#include "boardvariables.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestBoardVariables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paddedText_data();
    void paddedText();
    void sevenVariablesInOrder();
    void period_data();
    void period();
    void clockStartValue_data();
    void clockStartValue();
};

void TestBoardVariables::paddedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    // Zero-filled on the left, cut to the last characters
    QTest::newRow("points 7") << u"7"_s << 3 << u"007"_s;
    QTest::newRow("points empty") << QString() << 3 << u"000"_s;
    QTest::newRow("points 1234") << u"1234"_s << 3 << u"234"_s;
    QTest::newRow("fouls 123") << u"123"_s << 2 << u"23"_s;
    QTest::newRow("wider than the zeros") << u"7"_s << 5 << u"00007"_s;
    QTest::newRow("no width") << u"7"_s << 0 << QString();

    // Only spaces at both ends are trimmed
    QTest::newRow("spaces around") << u" 42 "_s << 3 << u"042"_s;
    QTest::newRow("space inside") << u"4 2"_s << 3 << u"4 2"_s;
    QTest::newRow("tab kept") << u"\t7 "_s << 3 << u"0\t7"_s;

    // Characters, not numbers
    QTest::newRow("letters as points") << u"ab"_s << 3 << u"0ab"_s;
    QTest::newRow("letters as fouls") << u"ab"_s << 2 << u"ab"_s;
    QTest::newRow("minus sign") << u"-5"_s << 3 << u"0-5"_s;

    // Any length, whatever a field lets through
    QTest::newRow("10 MB of digits")
        << QString(10 * 1024 * 1024, u'7') + u"123 "_s << 3 << u"123"_s;
    QTest::newRow("10 MB of spaces") << QString(10 * 1024 * 1024, u' ') + u'4' << 2 << u"04"_s;

    // A surrogate pair is one character and is never cut in half
    QTest::newRow("pair last") << u"x\U0001F600"_s << 2 << u"x\U0001F600"_s;
    QTest::newRow("pair cut off whole") << u"\U0001F600xy"_s << 2 << u"xy"_s;
    QTest::newRow("pairs only") << u"\U0001F600\U0001F601\U0001F602"_s << 2
                                << u"\U0001F601\U0001F602"_s;
    QTest::newRow("lone low surrogate") << u"ab"_s + QChar(0xDC00) << 2 << u"b"_s + QChar(0xDC00);
}

void TestBoardVariables::paddedText()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    const QString padded = PaddedText(text, width);
    QCOMPARE(padded, expected);
    QCOMPARE(padded.toUcs4().size(), qMax(width, 0));
}

void TestBoardVariables::sevenVariablesInOrder()
{
    // Each field under its own name; team B's fouls with a small f. The formats are PaddedText's.
    const BoardFields fields{u"2"_s, u" Lions "_s, QString(), u"7"_s, u"1234"_s, u"ab"_s, u"3"_s};
    const auto variables = BoardVariables(fields);
    const std::array<BoardVariable, 7> expected{{{u"period"_s, u"2"_s},
                                                 {u"name_a"_s, u" Lions "_s},
                                                 {u"name_b"_s, QString()},
                                                 {u"points_a"_s, u"007"_s},
                                                 {u"points_b"_s, u"234"_s},
                                                 {u"faults_a"_s, u"ab"_s},
                                                 {u"faults_b"_s, u"03"_s}}};
    QCOMPARE(variables, expected);
}

void TestBoardVariables::period_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("item selected") << 2 << u"3"_s;
    QTest::newRow("typed, none selected") << -1 << u"1.5"_s;
}

void TestBoardVariables::period()
{
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(BoardPeriod(index, index >= 0 ? u"3"_s : QString(), u"1.5"_s), expected);
}

void TestBoardVariables::clockStartValue_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("sMin");
    QTest::addColumn<QString>("sSec");

    QTest::newRow("leading zero dropped") << u"05"_s << u"30"_s << u"5"_s << u"30"_s;
    QTest::newRow("empty is zero") << QString() << QString() << u"0"_s << u"0"_s;
    QTest::newRow("fraction kept") << u"1"_s << u"7.5"_s << u"1"_s << u"7.5"_s;
    QTest::newRow("text after the number") << u" 12abc"_s << u"x9"_s << u"12"_s << u"0"_s;
}

void TestBoardVariables::clockStartValue()
{
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(QString, sMin);
    QFETCH(QString, sSec);
    const std::array<BoardVariable, 2> expected{{{u"s_min"_s, sMin}, {u"s_sec"_s, sSec}}};
    QCOMPARE(ClockStartVariables(minutes, seconds), expected);
}

QTEST_GUILESS_MAIN(TestBoardVariables)
#include "test_boardvariables.moc"
