// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockcommands.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestClockCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void playPause_data();
    void playPause();
};

Q_DECLARE_METATYPE(PlayPauseStep)

void TestClockCommands::playPause_data()
{
    QTest::addColumn<QString>("playState");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QStringList>("clock"); // sec, mil, min as the movie gives them
    QTest::addColumn<PlayPauseStep>("step");
    QTest::addColumn<bool>("clockRead");

    const QStringList running{u"30"_s, u"0"_s, u"1"_s};
    const QStringList runOut{u"0"_s, u"0"_s, u"0"_s};

    // The entries come first: without time there, the movie is not even asked
    QTest::newRow("entries empty")
        << u"Play"_s << QString() << QString() << running << PlayPauseStep::SetTheTime << false;
    QTest::newRow("entries zero, running")
        << u"Pause"_s << u"0"_s << u"0"_s << running << PlayPauseStep::SetTheTime << false;
    QTest::newRow("entries add up below zero")
        << u"Pause"_s << u"-5"_s << u"3"_s << running << PlayPauseStep::SetTheTime << false;
    QTest::newRow("entries not a number")
        << u"Play"_s << u"+inf"_s << u"-1e999"_s << running << PlayPauseStep::SetTheTime << false;
    QTest::newRow("seconds alone hold time")
        << u"Play"_s << QString() << u"30"_s << running << PlayPauseStep::Start << true;

    // Then the movie's clock, which guards holding as well as starting
    QTest::newRow("clock run out, running")
        << u"Pause"_s << u"2"_s << QString() << runOut << PlayPauseStep::SetTheTime << true;
    QTest::newRow("clock run out, standing")
        << u"Play"_s << u"2"_s << QString() << runOut << PlayPauseStep::SetTheTime << true;
    QTest::newRow("a millisecond left")
        << u"Pause"_s << u"2"_s << QString() << QStringList{u"0"_s, u"1"_s, u"0"_s}
        << PlayPauseStep::Hold << true;
    QTest::newRow("clock text not a number")
        << u"Play"_s << u"2"_s << QString() << QStringList{u"x"_s, u""_s, u"-"_s}
        << PlayPauseStep::SetTheTime << true;

    // PlayState, compared exactly
    QTest::newRow("standing starts")
        << u"Play"_s << u"1"_s << QString() << running << PlayPauseStep::Start << true;
    QTest::newRow("running holds")
        << u"Pause"_s << u"1"_s << QString() << running << PlayPauseStep::Hold << true;
    QTest::newRow("other case") << u"play"_s << u"1"_s << QString() << running
                                << PlayPauseStep::Nothing << true;
    QTest::newRow("empty state") << QString() << u"1"_s << QString() << running
                                 << PlayPauseStep::Nothing << true;
}

void TestClockCommands::playPause()
{
    QFETCH(QString, playState);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(QStringList, clock);
    QFETCH(PlayPauseStep, step);
    QFETCH(bool, clockRead);

    QStringList read;
    const auto readClock = [&](const QString &name) {
        read.append(name);
        return clock.value(int(read.size()) - 1);
    };
    QCOMPARE(DecidePlayPause(playState, minutes, seconds, readClock), step);
    // Seconds, then the part below a second, then minutes; or not at all.
    const QStringList expectedReads =
        clockRead ? QStringList{u"sec"_s, u"mil"_s, u"min"_s} : QStringList();
    QCOMPARE(read, expectedReads);
}

QTEST_GUILESS_MAIN(TestClockCommands)
#include "test_clockcommands.moc"
