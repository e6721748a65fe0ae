// SPDX-License-Identifier: GPL-3.0-or-later
#include "clocktext.h"
#include "faketime.h"
#include "gameclock.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using std::chrono::nanoseconds;

Q_DECLARE_METATYPE(nanoseconds)

class TestGameClock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standsAtZeroUntilSet();
    void stopsAtZeroOnce();
    void cueFreezesAndTakesNewStart();
    void otherFramesIgnored();
    void startValue_data();
    void startValue();
    void reading_data();
    void reading();
    void clockText_data();
    void clockText();
    void nextChangeIsWhereTextChanges();

private:
    // A clock set to `start` seconds, left at rest.
    GameClock setClock(double startSeconds)
    {
        GameClock clock(m_time.source());
        clock.gotoFrame(0);
        clock.play(0, startSeconds);
        return clock;
    }

    FakeTime m_time;
};

void TestGameClock::standsAtZeroUntilSet()
{
    GameClock clock(m_time.source());
    clock.play();
    m_time.advance(5s);
    QCOMPARE(clock.remaining(), 0ns);
    QVERIFY(!clock.isRunningAt(m_time.now()));
    QCOMPARE(clock.expiriesAt(m_time.now()), 0u);
}

void TestGameClock::stopsAtZeroOnce()
{
    GameClock clock = setClock(1);
    clock.play();
    m_time.advance(999'999'999ns);
    QCOMPARE(clock.remaining(), 1ns);
    QCOMPARE(clock.expiriesAt(m_time.now()), 0u);
    m_time.advance(1ns);
    QCOMPARE(clock.remaining(), 0ns);
    QVERIFY(!clock.isRunningAt(m_time.now()));
    QCOMPARE(clock.expiriesAt(m_time.now()), 1u);

    // Holding a clock that has run out, or playing it again, starts no second countdown.
    m_time.advance(1min);
    clock.gotoFrame(6);
    clock.play();
    m_time.advance(1min);
    QCOMPARE(clock.remaining(), 0ns);
    QCOMPARE(clock.expiriesAt(m_time.now()), 1u);
}

void TestGameClock::cueFreezesAndTakesNewStart()
{
    GameClock clock = setClock(90);
    clock.play();
    m_time.advance(30s);
    clock.gotoFrame(0);
    m_time.advance(30s);
    QCOMPARE(clock.remaining(), 60s);
    clock.play(2, 5);
    QCOMPARE(clock.remaining(), 125s);
    QVERIFY(!clock.isRunningAt(m_time.now()));
    QCOMPARE(clock.expiriesAt(m_time.now()), 0u);
}

void TestGameClock::otherFramesIgnored()
{
    GameClock clock = setClock(60);
    clock.play();
    for (int frame : {-1, 1, 5, 7, 1000})
        clock.gotoFrame(frame);
    m_time.advance(1s);
    QCOMPARE(clock.remaining(), 59s);

    clock.gotoFrame(0);
    clock.gotoFrame(3);
    clock.play(0, 10);
    QCOMPARE(clock.remaining(), 10s);
}

void TestGameClock::startValue_data()
{
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<nanoseconds>("start");

    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();

    // Ordinary values, as TextToNumber reads the entries
    QTest::newRow("2:05") << 2.0 << 5.0 << nanoseconds(125s);
    QTest::newRow("seconds past a minute") << 0.0 << 100.0 << nanoseconds(100s);
    QTest::newRow("half a minute") << 0.5 << 0.0 << nanoseconds(30s);
    QTest::newRow("a tenth of a minute is 6 s exactly") << 0.1 << 0.0 << nanoseconds(6s);
    QTest::newRow("tenths of a second") << 0.0 << 59.95 << nanoseconds(59'950ms);
    QTest::newRow("empty entries") << 0.0 << 0.0 << nanoseconds(0);

    // Hostile values
    QTest::newRow("negative seconds taken off the minutes") << 2.0 << -30.0 << nanoseconds(90s);
    QTest::newRow("negative total") << -1.0 << 30.0 << nanoseconds(0);
    QTest::newRow("NaN minutes") << nan << 30.0 << nanoseconds(0);
    QTest::newRow("NaN seconds") << 2.0 << nan << nanoseconds(0);
    QTest::newRow("infinity minus infinity") << inf << -inf << nanoseconds(0);
    QTest::newRow("1e300 minutes") << 1e300 << 0.0 << GameClock::MaxStart;
    QTest::newRow("-1e300 seconds") << 5.0 << -1e300 << nanoseconds(0);
    QTest::newRow("infinite seconds") << 0.0 << inf << GameClock::MaxStart;
    QTest::newRow("a second past the largest") << 999.0 << 60.0 << GameClock::MaxStart;
}

void TestGameClock::startValue()
{
    QFETCH(double, minutes);
    QFETCH(double, seconds);
    QFETCH(nanoseconds, start);

    GameClock clock(m_time.source());
    clock.gotoFrame(0);
    clock.play(minutes, seconds);
    QCOMPARE(clock.remaining(), start);
    clock.play();
    QCOMPARE(clock.isRunningAt(m_time.now()), start > 0ns);
}

void TestGameClock::reading_data()
{
    QTest::addColumn<nanoseconds>("remaining");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("sec");
    QTest::addColumn<int>("mil");

    QTest::newRow("1:23.456 and a bit") << nanoseconds(83'456'700'000) << 1 << 23 << 456;
    QTest::newRow("a whole minute") << nanoseconds(60s) << 1 << 0 << 0;
    QTest::newRow("just under a minute") << nanoseconds(60s - 1ns) << 0 << 59 << 999;
    QTest::newRow("the last millisecond") << nanoseconds(1ms) << 0 << 0 << 1;
    // Below a millisecond the clock reads as run out, so it cannot be started for nothing.
    QTest::newRow("under a millisecond") << nanoseconds(999'999) << 0 << 0 << 0;
    QTest::newRow("time up") << nanoseconds(0) << 0 << 0 << 0;
    QTest::newRow("the largest start") << GameClock::MaxStart << 999 << 59 << 0;
}

void TestGameClock::reading()
{
    QFETCH(nanoseconds, remaining);
    QFETCH(int, min);
    QFETCH(int, sec);
    QFETCH(int, mil);

    GameClock clock = setClock(1e9); // held to the largest start
    clock.play();
    m_time.advance(GameClock::MaxStart - remaining);
    const GameClock::Reading reading = clock.reading();
    QCOMPARE(reading.min, min);
    QCOMPARE(reading.sec, sec);
    QCOMPARE(reading.mil, mil);
}

void TestGameClock::clockText_data()
{
    QTest::addColumn<nanoseconds>("remaining");
    QTest::addColumn<QString>("text");

    // The last minute, in tenths rounded up
    QTest::newRow("59.9 s") << nanoseconds(59'900ms) << u"59.9"_s;
    QTest::newRow("9.5 s") << nanoseconds(9'500ms) << u"9.5"_s;
    QTest::newRow("10 s") << nanoseconds(10s) << u"10.0"_s;
    QTest::newRow("0.05 s") << nanoseconds(50ms) << u"0.1"_s;
    QTest::newRow("a nanosecond") << nanoseconds(1) << u"0.1"_s;
    QTest::newRow("time up") << nanoseconds(0) << u"0.0"_s;
    QTest::newRow("below zero") << nanoseconds(-5s) << u"0.0"_s;

    // Above the last minute, in seconds rounded up
    QTest::newRow("60 s") << nanoseconds(60s) << u"1:00"_s;
    QTest::newRow("59.95 s") << nanoseconds(59'950ms) << u"1:00"_s;
    QTest::newRow("just over 59.9 s") << nanoseconds(59'900ms + 1ns) << u"1:00"_s;
    QTest::newRow("just over 60 s") << nanoseconds(60s + 1ns) << u"1:01"_s;
    QTest::newRow("61.2 s") << nanoseconds(61'200ms) << u"1:02"_s;
    QTest::newRow("2:00") << nanoseconds(120s) << u"2:00"_s;
    QTest::newRow("just over 2:00") << nanoseconds(120s + 1ns) << u"2:01"_s;
    QTest::newRow("just over 1:59") << nanoseconds(119s + 1ns) << u"2:00"_s;
    QTest::newRow("100 minutes") << nanoseconds(100min) << u"100:00"_s;
    QTest::newRow("the largest start") << nanoseconds(GameClock::MaxStart) << u"999:59"_s;
}

void TestGameClock::clockText()
{
    QFETCH(nanoseconds, remaining);
    QTEST(ClockText(remaining), "text");
}

void TestGameClock::nextChangeIsWhereTextChanges()
{
    QVERIFY(!NextClockTextChange(0ns));
    // From 2:05 down, at odd steps: the next change is the first remaining time below the
    // current one that shows differently.
    for (nanoseconds remaining = 125s; remaining > 0ns; remaining -= 7'654'321ns) {
        const auto next = NextClockTextChange(remaining);
        QVERIFY(next && *next < remaining && *next >= 0ns);
        QCOMPARE(ClockText(*next + 1ns), ClockText(remaining));
        QVERIFY(ClockText(*next) != ClockText(remaining));
    }
}

QTEST_APPLESS_MAIN(TestGameClock)
#include "test_gameclock.moc"
