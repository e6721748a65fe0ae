// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockdriver.h"
#include "faketime.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <vector>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using std::chrono::nanoseconds;

class TestClockDriver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setShowsStartValueOnce();
    void changesExactlyAtBoundaries();
    void holdShowsHeldValue();
    void expiresOncePerCountdown();
    void expiryNoticedAtHold();
    void longGame();
    void timerDrivesRealClock();

private:
    static qint64 Milliseconds(const GameClock::Reading &reading)
    {
        return reading.min * 60'000LL + reading.sec * 1000LL + reading.mil;
    }
    // Set (cue, then play with the start value), as the operator window sends it.
    static void set(ClockDriver &driver, double minutes, double seconds)
    {
        driver.gotoFrame(0);
        driver.play(minutes, seconds);
    }

    FakeTime m_time;
};

void TestClockDriver::setShowsStartValueOnce()
{
    ClockDriver driver(&m_time);
    QCOMPARE(driver.text(), u"0.0"_s);
    QSignalSpy changed(&driver, &ClockDriver::textChanged);

    set(driver, 2, 5);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toString(), u"2:05"_s);
    m_time.advance(10s);
    set(driver, 2, 5);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(Milliseconds(driver.reading()), 125'000);
}

void TestClockDriver::changesExactlyAtBoundaries()
{
    ClockDriver driver(&m_time);
    set(driver, 0, 61.25);
    QSignalSpy changed(&driver, &ClockDriver::textChanged);
    QSignalSpy expired(&driver, &ClockDriver::expired);

    const nanoseconds start = m_time.now();
    driver.play();
    std::vector<nanoseconds> boundaries{61s, 60s};
    for (int tenths = 599; tenths >= 0; --tenths)
        boundaries.push_back(tenths * 100ms);

    for (const nanoseconds boundary : boundaries) {
        const int before = changed.count();
        m_time.setNow(start + 61'250ms - boundary - 1ns);
        QCOMPARE(changed.count(), before);
        m_time.setNow(start + 61'250ms - boundary);
        QCOMPARE(changed.count(), before + 1);
    }
    QCOMPARE(changed.at(0).at(0).toString(), u"1:01"_s);
    QCOMPARE(changed.at(1).at(0).toString(), u"1:00"_s);
    QCOMPARE(changed.at(2).at(0).toString(), u"59.9"_s);
    QCOMPARE(changed.last().at(0).toString(), u"0.0"_s);
    QCOMPARE(expired.count(), 1);
}

void TestClockDriver::holdShowsHeldValue()
{
    ClockDriver driver(&m_time);
    set(driver, 0, 30);
    driver.play();
    m_time.advance(10'050ms);
    driver.gotoFrame(6);
    QCOMPARE(driver.text(), u"20.0"_s); // 19.95 s, rounded up

    QSignalSpy changed(&driver, &ClockDriver::textChanged);
    m_time.advance(1min);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(driver.reading().sec, 19);
    QCOMPARE(driver.reading().mil, 950);

    driver.play();
    m_time.advance(50ms);
    QCOMPARE(driver.text(), u"19.9"_s);
}

void TestClockDriver::expiresOncePerCountdown()
{
    ClockDriver driver(&m_time);
    QSignalSpy expired(&driver, &ClockDriver::expired);
    set(driver, 0, 1);
    driver.play();
    m_time.advance(5s);
    driver.play(); // at zero there is nothing to run
    driver.gotoFrame(6);
    QCOMPARE(expired.count(), 1);
    QCOMPARE(driver.text(), u"0.0"_s);

    // A Set that interrupts a countdown is no expiry; the next countdown to zero is.
    set(driver, 0, 1);
    driver.play();
    set(driver, 0, 1);
    driver.play();
    m_time.advance(1s);
    QCOMPARE(expired.count(), 2);
}

void TestClockDriver::expiryNoticedAtHold()
{
    ClockDriver driver(&m_time);
    QSignalSpy expired(&driver, &ClockDriver::expired);
    set(driver, 0, 2);
    driver.play();
    m_time.advanceQuietly(3s); // the timer has not come yet
    driver.gotoFrame(6);
    QCOMPARE(expired.count(), 1);
    QCOMPARE(driver.text(), u"0.0"_s);
}

void TestClockDriver::longGame()
{
    // 500 Sets of 12 s, each paused four times at random moments and run to zero: 100 minutes
    // of running clock, with long holds in between that must not count.
    ClockDriver driver(&m_time);
    QSignalSpy expired(&driver, &ClockDriver::expired);
    QRandomGenerator random(20240);
    nanoseconds run{0};
    for (int round = 0; round < 500; ++round) {
        set(driver, 0, 12);
        QCOMPARE(driver.text(), u"12.0"_s);
        nanoseconds left = 12s;
        for (int pause = 0; pause < 4; ++pause) {
            driver.play();
            const nanoseconds burst(random.bounded(qint64(left.count() / 2)));
            m_time.advance(burst);
            driver.gotoFrame(6);
            left -= burst;
            run += burst;
            m_time.advance(nanoseconds(random.bounded(qint64(300'000'000'000))));
            QCOMPARE(Milliseconds(driver.reading()),
                     std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
        }
        driver.play();
        m_time.advance(left);
        run += left;
        QCOMPARE(expired.count(), round + 1);
    }
    QCOMPARE(run, nanoseconds(100min));
    QCOMPARE(driver.text(), u"0.0"_s);
}

void TestClockDriver::timerDrivesRealClock()
{
    // With the steady clock and nothing but the event loop: a short countdown shows its tenths
    // and runs out by itself.
    ClockDriver driver;
    QSignalSpy changed(&driver, &ClockDriver::textChanged);
    QSignalSpy expired(&driver, &ClockDriver::expired);
    set(driver, 0, 0.3);
    driver.play();
    QVERIFY(expired.wait(5000));
    QCOMPARE(expired.count(), 1);
    QCOMPARE(driver.text(), u"0.0"_s);
    QVERIFY(changed.count() >= 2 && changed.count() <= 4);
}

QTEST_GUILESS_MAIN(TestClockDriver)
#include "test_clockdriver.moc"
