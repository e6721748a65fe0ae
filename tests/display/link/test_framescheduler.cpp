// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardchannel.h"
#include "framescheduler.h"
#include "sharedframes.h"

#include <QSignalSpy>
#include <QTest>

#include <deque>

using namespace BoardProtocol;
using namespace Qt::StringLiterals;

namespace {

// A board's process played by the test: it records what it is told and answers when the test
// says, with the frame the test draws into the shared frames.
class FakeBoard : public BoardChannel
{
public:
    bool isRunning() const override { return true; }
    SharedFrames &frames() override { return m_frames; }
    void tell(const ToBoard &message) override { told.push_back(message); }
    void ask(const ToBoard &message) override
    {
        tell(message);
        m_asked.push_back(message);
    }
    bool isAsking() const override { return !m_asked.empty(); }
    void reject() override { rejected = true; }

    // The Render asked, answered with this change after painting it into the frame drawn.
    void draw(FrameScheduler &scheduler, const QRect &changed, QRgb colour = 0xff204080)
    {
        QVERIFY(!m_asked.empty());
        const auto render = std::get<Render>(m_asked.front());
        m_asked.pop_front();
        QImage drawn = m_frames.drawn();
        for (int y = changed.top(); y <= changed.bottom(); ++y)
            for (int x = changed.left(); x <= changed.right(); ++x)
                drawn.setPixel(x, y, colour);
        scheduler.received(Frame{render.number, changed});
    }
    // The Sets told since the last look, in order.
    QStringList sets()
    {
        QStringList sets;
        for (const ToBoard &message : std::exchange(told, {})) {
            if (const auto *set = std::get_if<Set>(&message))
                sets.append(set->name + u'=' + set->value);
        }
        return sets;
    }

    std::deque<ToBoard> told;
    bool rejected = false;

private:
    SharedFrames m_frames;
    std::deque<ToBoard> m_asked;
};

const QSize Pixels(40, 30);

} // namespace

// The frame scheduler's rules, without a process and without time: which frames are asked for,
// and when they reach the screen.
class TestFrameScheduler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstFrameIsWhole();
    void changeWaitsForItsFrame();
    void changesMeanwhileGoWithTheNextFrame();
    void unchangedVariableDrawsNothing();
    void preparedChangeIsShownAtOnce();
    void preparedChangeDroppedWhenItDoesNotCome();
    void sizeChangeDropsTheOldSizesFrame();
    void frameOutsideTheFramesIsRejected();
    void pausedHoldsTheLastFrame();

private:
    // Lets the scheduler's queued decision run.
    static void Decide() { QCoreApplication::processEvents(); }
    // Started and playing, its first frame shown, nothing asked.
    void startPlaying();

    std::unique_ptr<FakeBoard> m_board;
    std::unique_ptr<FrameScheduler> m_scheduler;
    std::unique_ptr<QSignalSpy> m_shown;
};

void TestFrameScheduler::init()
{
    m_board = std::make_unique<FakeBoard>();
    m_scheduler = std::make_unique<FrameScheduler>(*m_board);
    m_shown = std::make_unique<QSignalSpy>(m_scheduler.get(), &FrameScheduler::shownChanged);
}

void TestFrameScheduler::cleanup()
{
    m_shown.reset();
    m_scheduler.reset();
    m_board.reset();
}

void TestFrameScheduler::startPlaying()
{
    m_scheduler->setSize(Pixels, 1);
    m_scheduler->setVariable(u"name_a"_s, u"Lions"_s);
    m_scheduler->restart();
    m_scheduler->play();
    Decide();
    m_board->draw(*m_scheduler, QRect(0, 0, 5, 5));
    Decide();
    QVERIFY(!m_board->isAsking());
    m_board->told.clear();
    m_shown->clear();
}

void TestFrameScheduler::firstFrameIsWhole()
{
    m_scheduler->setSize(Pixels, 1);
    m_scheduler->setVariable(u"name_a"_s, u"Lions"_s);
    m_scheduler->restart();
    m_scheduler->play();
    Decide();
    // The new process is told the size, then the board as it stands, then asked to draw.
    QVERIFY(std::holds_alternative<Size>(m_board->told.front()));
    QCOMPARE(m_board->sets(), QStringList{u"name_a=Lions"_s});
    QSignalSpy settled(m_scheduler.get(), &FrameScheduler::settled);
    m_board->draw(*m_scheduler, QRect(1, 1, 2, 2));
    // Whatever the process says changed, the first frame is new everywhere.
    QCOMPARE(m_shown->count(), 1);
    QCOMPARE(m_shown->first().first().toRect(), QRect(QPoint(0, 0), Pixels));
    QCOMPARE(m_scheduler->shown().size(), Pixels);
    QCOMPARE(settled.count(), 1);
    QVERIFY(m_scheduler->isSettled());
}

void TestFrameScheduler::changeWaitsForItsFrame()
{
    startPlaying();
    m_scheduler->setVariable(u"points_a"_s, u"007"_s);
    QVERIFY(!m_scheduler->isSettled());
    Decide();
    QCOMPARE(m_board->sets(), QStringList{u"points_a=007"_s});
    QVERIFY(m_board->isAsking());
    QCOMPARE(m_shown->count(), 0);
    QCOMPARE(m_scheduler->value(u"points_a"_s), u"007"_s);

    const QRect changed(10, 20, 6, 4);
    m_board->draw(*m_scheduler, changed, 0xffff0000);
    QCOMPARE(m_shown->count(), 1);
    QCOMPARE(m_shown->first().first().toRect(), changed);
    // Only what changed is copied to the screen.
    const QImage shown = m_scheduler->shown();
    QCOMPARE(shown.pixel(12, 22), 0xffff0000);
    QVERIFY(shown.pixel(30, 5) != 0xffff0000);
}

void TestFrameScheduler::changesMeanwhileGoWithTheNextFrame()
{
    startPlaying();
    m_scheduler->setVariable(u"points_a"_s, u"001"_s);
    Decide();
    m_board->sets();
    // One frame is asked for at a time.
    m_scheduler->setVariable(u"points_a"_s, u"002"_s);
    m_scheduler->setVariable(u"faults_b"_s, u"01"_s);
    Decide();
    QCOMPARE(m_board->sets(), QStringList());
    m_board->draw(*m_scheduler, QRect(0, 0, 1, 1));
    Decide();
    QStringList sets = m_board->sets();
    sets.sort();
    QCOMPARE(sets, (QStringList{u"faults_b=01"_s, u"points_a=002"_s}));
    QVERIFY(m_board->isAsking());
}

void TestFrameScheduler::unchangedVariableDrawsNothing()
{
    startPlaying();
    m_scheduler->setVariable(u"name_a"_s, u"Lions"_s);
    Decide();
    QVERIFY(!m_board->isAsking());
    QVERIFY(m_board->told.empty());
    QVERIFY(m_scheduler->isSettled());
}

void TestFrameScheduler::preparedChangeIsShownAtOnce()
{
    startPlaying();
    m_scheduler->setVariable(u"clock"_s, u"1:00"_s);
    Decide();
    m_board->draw(*m_scheduler, QRect(0, 0, 3, 3));
    m_shown->clear();
    m_board->sets();

    m_scheduler->prepare(u"clock"_s, u"59.9"_s);
    Decide();
    QCOMPARE(m_board->sets(), QStringList{u"clock=59.9"_s});
    m_board->draw(*m_scheduler, QRect(4, 4, 3, 3));
    Decide();
    // Drawn, but held back.
    QCOMPARE(m_shown->count(), 0);
    QVERIFY(!m_board->isAsking());
    // Shown within the call that makes it true: nothing is waited for at that moment.
    m_scheduler->setVariable(u"clock"_s, u"59.9"_s);
    QCOMPARE(m_shown->count(), 1);
    QCOMPARE(m_shown->first().first().toRect(), QRect(4, 4, 3, 3));
    Decide();
    QVERIFY(!m_board->isAsking());
}

void TestFrameScheduler::preparedChangeDroppedWhenItDoesNotCome()
{
    startPlaying();
    m_scheduler->setVariable(u"clock"_s, u"1:00"_s);
    Decide();
    m_board->draw(*m_scheduler, QRect(0, 0, 3, 3));
    m_scheduler->prepare(u"clock"_s, u"59.9"_s);
    Decide();
    m_board->draw(*m_scheduler, QRect(4, 4, 3, 3));
    m_board->sets();
    m_shown->clear();

    // The clock was held instead: the next frame puts its text back as it stands.
    m_scheduler->unprepare();
    m_scheduler->setVariable(u"points_b"_s, u"003"_s);
    Decide();
    QStringList sets = m_board->sets();
    sets.sort();
    QCOMPARE(sets, (QStringList{u"clock=1:00"_s, u"points_b=003"_s}));
    QCOMPARE(m_shown->count(), 0);
}

void TestFrameScheduler::sizeChangeDropsTheOldSizesFrame()
{
    startPlaying();
    m_scheduler->setVariable(u"points_a"_s, u"005"_s);
    Decide();
    const QSize larger(80, 60);
    m_scheduler->setSize(larger, 2);
    QVERIFY(std::holds_alternative<Size>(m_board->told.back()));
    // Drawn at the size left behind: never shown.
    m_board->draw(*m_scheduler, QRect(0, 0, 2, 2));
    QCOMPARE(m_shown->count(), 0);
    Decide();
    m_board->draw(*m_scheduler, QRect(0, 0, 2, 2));
    QCOMPARE(m_shown->count(), 1);
    QCOMPARE(m_shown->first().first().toRect(), QRect(QPoint(0, 0), larger));
    QCOMPARE(m_scheduler->shown().size(), larger);
    QCOMPARE(m_scheduler->shown().devicePixelRatio(), 2.0);
}

void TestFrameScheduler::frameOutsideTheFramesIsRejected()
{
    startPlaying();
    m_scheduler->setVariable(u"points_a"_s, u"005"_s);
    Decide();
    m_board->draw(*m_scheduler, QRect(35, 25, 10, 10));
    QVERIFY(m_board->rejected);
    QCOMPARE(m_shown->count(), 0);
}

void TestFrameScheduler::pausedHoldsTheLastFrame()
{
    startPlaying();
    const QImage last = m_scheduler->shown().copy();
    m_scheduler->pause();
    QCOMPARE(m_scheduler->shown(), last);
    // Nothing is drawn while paused.
    m_scheduler->setVariable(u"points_a"_s, u"009"_s);
    Decide();
    QVERIFY(!m_board->isAsking());
    m_scheduler->stop();
    QVERIFY(m_scheduler->shown().isNull());
}

QTEST_GUILESS_MAIN(TestFrameScheduler)
#include "test_framescheduler.moc"
