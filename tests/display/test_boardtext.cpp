// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardtext.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestBoardText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paddedText_data();
    void paddedText();
};

void TestBoardText::paddedText_data()
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

    // A surrogate pair is one character and is never cut in half
    QTest::newRow("pair last") << u"x\U0001F600"_s << 2 << u"x\U0001F600"_s;
    QTest::newRow("pair cut off whole") << u"\U0001F600xy"_s << 2 << u"xy"_s;
    QTest::newRow("pairs only") << u"\U0001F600\U0001F601\U0001F602"_s << 2
                                << u"\U0001F601\U0001F602"_s;
    QTest::newRow("lone low surrogate") << u"ab"_s + QChar(0xDC00) << 2 << u"b"_s + QChar(0xDC00);
}

void TestBoardText::paddedText()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    const QString padded = PaddedText(text, width);
    QCOMPARE(padded, expected);
    QCOMPARE(padded.toUcs4().size(), qMax(width, 0));
}

QTEST_GUILESS_MAIN(TestBoardText)
#include "test_boardtext.moc"
