// SPDX-License-Identifier: GPL-3.0-or-later
#include "moviewatchdog.h"

#include <QJSEngine>
#include <QTest>

using namespace Qt::StringLiterals;

// The watch over a movie's start: a script that never ends is cut short, one that ends is not,
// and the engine runs scripts again after either.
class TestMovieWatchdog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void watchdog_data();
    void watchdog();
};

void TestMovieWatchdog::watchdog_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("times");
    QTest::addColumn<bool>("fires");

    QTest::newRow("endless loop") << u"for (;;) {}"_s << 50 << 1 << true;
    QTest::newRow("endless loop that catches the cut-off")
        << u"for (;;) { try { for (;;) {} } catch (e) {} }"_s << 50 << 1 << true;
    QTest::newRow("endless recursion into a loop")
        << u"(function f() { try { for (;;) {} } finally { f() } })()"_s << 50 << 1 << true;
    // Work that ends soon, as a board's start does, ends the watch that same moment, whether
    // before the watch has begun or as it begins: a watch that slept through the end would hold
    // the load for its whole limit, or for ever.
    QTest::newRow("quick scripts, many starts in a row")
        << u"const until = Date.now() + time % 3; while (Date.now() < until) {}"_s << 60000 << 300
        << false;
}

void TestMovieWatchdog::watchdog()
{
    QFETCH(QString, script);
    QFETCH(int, limit);
    QFETCH(int, times);
    QFETCH(bool, fires);
    QJSEngine engine;
    for (int time = 0; time < times; ++time) {
        engine.globalObject().setProperty(u"time"_s, time);
        QJSValue result;
        const bool cutShort = RunWatched(&engine, std::chrono::milliseconds(limit),
                                         [&] { result = engine.evaluate(script); });
        QCOMPARE(cutShort, fires);
        QCOMPARE(result.isError(), fires);
        QVERIFY(!engine.isInterrupted());
    }
    QCOMPARE(engine.evaluate(u"6 * 7"_s).toInt(), 42);
}

QTEST_GUILESS_MAIN(TestMovieWatchdog)
#include "test_moviewatchdog.moc"
