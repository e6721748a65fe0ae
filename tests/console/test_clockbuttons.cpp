// SPDX-License-Identifier: GPL-3.0-or-later
#include "faketime.h"
#include "formfixture.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// Set and Play/Pause as the operator uses them, with the board's clock on a fake time source.
class TestClockButtons : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void setSendsStartValueBoardAndCue();
    void refusedWithoutTimeInTheEntries_data();
    void refusedWithoutTimeInTheEntries();
    void entryCheckPassesWithSecondsOnly();
    void runPauseResume();
    void runsOutThenRefusesUntilSet();
    void setWhileRunningStandsAtTheNewValue();

private:
    void type(const char *name, const QString &text) { control<QLineEdit>(name)->setText(text); }
    void click(const char *name) { control<QPushButton>(name)->click(); }
    QString caption() const { return control<QPushButton>("Command1")->text(); }
    QString shownClock() const { return m_form->display()->GetVariable(u"clock"_s); }
    void advance(std::chrono::nanoseconds by) { m_time.advance(by); }

    FakeTime m_time;
    int m_horns = 0;
};

void TestClockButtons::init()
{
    ConsoleServices services = TestServices();
    services.display.clockTime = &m_time;
    services.display.horn = [this] { ++m_horns; };
    m_horns = 0;
    startNotingMessages(services);
}

void TestClockButtons::cleanup()
{
    m_form.reset();
}

void TestClockButtons::setSendsStartValueBoardAndCue()
{
    type("Minutos", u"05"_s);
    type("segundos", u"7.5"_s);
    type("name_a", u"Lions"_s);
    type("points_a", u"7"_s);
    QSignalSpy board(m_form->display(), &DisplayControl::called);
    click("Command3");
    const QStringList expected{u"SetVariable s_min 5"_s,
                               u"SetVariable s_sec 7.5"_s,
                               u"SetVariable period 1"_s,
                               u"SetVariable name_a Lions"_s,
                               u"SetVariable name_b "_s,
                               u"SetVariable points_a 007"_s,
                               u"SetVariable points_b 000"_s,
                               u"SetVariable faults_a 00"_s,
                               u"SetVariable faults_b 00"_s,
                               u"GotoFrame 0"_s,
                               u"Play"_s};
    QCOMPARE(Calls(board), expected);
    QCOMPARE(caption(), u"Play"_s);
    // The clock rests at the start value, rounded up as shown, and does not count.
    QCOMPARE(shownClock(), u"5:08"_s);
    advance(30s);
    QCOMPARE(shownClock(), u"5:08"_s);
}

void TestClockButtons::refusedWithoutTimeInTheEntries_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<bool>("running");

    // The rule's cases are test_clockcommands'; here, that the window keeps to it in both states.
    QTest::newRow("empty, standing") << u""_s << u""_s << false;
    QTest::newRow("zero, running") << u"0"_s << u"0"_s << true;
}

void TestClockButtons::refusedWithoutTimeInTheEntries()
{
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(bool, running);
    if (running) {
        type("Minutos", u"1"_s);
        click("Command3");
        click("Command1");
        QCOMPARE(caption(), u"Pause"_s);
    }
    const QString captionBefore = caption();
    type("Minutos", minutes);
    type("segundos", seconds);
    QSignalSpy board(m_form->display(), &DisplayControl::called);
    click("Command1");
    QCOMPARE(m_messages, QStringList{u"Set the time"_s});
    // The entry check comes first: the movie is not even asked.
    QCOMPARE(Calls(board), QStringList());
    QCOMPARE(caption(), captionBefore);
}

void TestClockButtons::entryCheckPassesWithSecondsOnly()
{
    type("segundos", u"30"_s);
    click("Command3");
    QSignalSpy board(m_form->display(), &DisplayControl::called);
    click("Command1");
    QVERIFY(m_messages.isEmpty());
    // The movie's clock is read as seconds, then the part below a second, then minutes.
    QCOMPARE(Calls(board), (QStringList{u"GetVariable sec"_s, u"GetVariable mil"_s,
                                        u"GetVariable min"_s, u"Play"_s}));
    QCOMPARE(caption(), u"Pause"_s);
}

void TestClockButtons::runPauseResume()
{
    type("Minutos", u"1"_s);
    click("Command3");
    QCOMPARE(shownClock(), u"1:00"_s);
    click("Command1");
    advance(10500ms);
    QCOMPARE(shownClock(), u"49.5"_s);
    click("Command1"); // pause
    QCOMPARE(caption(), u"Play"_s);
    advance(20s);
    QCOMPARE(shownClock(), u"49.5"_s);
    click("Command1"); // resume from the held value
    advance(9500ms);
    QCOMPARE(shownClock(), u"40.0"_s);
    QCOMPARE(m_form->display()->GetVariable(u"sec"_s), u"40"_s);
}

void TestClockButtons::runsOutThenRefusesUntilSet()
{
    type("segundos", u"3"_s);
    click("Command3");
    click("Command1");
    advance(3s);
    QCOMPARE(shownClock(), u"0.0"_s);
    QCOMPARE(m_horns, 1);
    // The program was not told: it still counts the clock as running, and refuses.
    click("Command1");
    QCOMPARE(m_messages, QStringList{u"Set the time"_s});
    QCOMPARE(caption(), u"Pause"_s);
    advance(10s);
    QCOMPARE(m_horns, 1);
    click("Command3");
    QCOMPARE(caption(), u"Play"_s);
    QCOMPARE(shownClock(), u"3.0"_s);
}

void TestClockButtons::setWhileRunningStandsAtTheNewValue()
{
    type("Minutos", u"10"_s);
    click("Command3");
    click("Command1");
    advance(75s);
    QCOMPARE(shownClock(), u"8:45"_s);
    type("Minutos", u"2"_s);
    click("Command3");
    QCOMPARE(caption(), u"Play"_s);
    advance(5s);
    QCOMPARE(shownClock(), u"2:00"_s);
    click("Command1");
    advance(1s);
    QCOMPARE(shownClock(), u"1:59"_s);
}

QTEST_MAIN(TestClockButtons)
#include "test_clockbuttons.moc"
