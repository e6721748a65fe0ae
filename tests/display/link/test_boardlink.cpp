// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardlink.h"
#include "scratchprogram.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>

using namespace Qt::StringLiterals;

// The board's link with the real movie in its own process (the scheduler's rules are
// test_framescheduler's): frames drawn by the process, its faults and its restarts.
class TestBoardLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void changeDrawsOnlyItsPart();
    void movieThatDoesNotPlay();
    void stalledBoardComesBack();
    void boardHasNothingOfOurs();

private:
    // Until the board has drawn and shown whatever is asked of it.
    void settle();

    QTemporaryDir m_cache;
    std::unique_ptr<BoardLink> m_link;
    std::unique_ptr<QSignalSpy> m_shown;
};

static const QSize Pixels(343, 256);

void TestBoardLink::initTestCase()
{
    QVERIFY(m_cache.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
    // What the board's process must not get from us: settings that would let its engine read
    // files anywhere or load code from elsewhere, and a descriptor left open for it to inherit.
    qputenv("QML_XHR_ALLOW_FILE_READ", "1");
    qputenv("QT_PLUGIN_PATH", QFile::encodeName(m_cache.path()));
    qputenv("LD_LIBRARY_PATH", QFile::encodeName(m_cache.path()));
    QVERIFY(open(QFile::encodeName(m_cache.path()).constData(), O_RDONLY | O_DIRECTORY) >= 0);
}

// The movie is anyone's file: what the engine compiled from it is not kept on the scorer's PC.
void TestBoardLink::cleanupTestCase()
{
    QCOMPARE(QDir(m_cache.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {});
}

void TestBoardLink::init()
{
    m_link = std::make_unique<BoardLink>();
    m_shown = std::make_unique<QSignalSpy>(m_link.get(), &BoardLink::shownChanged);
    m_link->frames().setSize(Pixels, 1);
    m_link->load(QCoreApplication::applicationDirPath() + u"/brevanto.dll"_s);
    QVERIFY(m_shown->wait(20000));
    QVERIFY(m_link->isPlaying());
    settle();
    m_shown->clear();
}

void TestBoardLink::cleanup()
{
    m_shown.reset();
    m_link.reset();
}

void TestBoardLink::settle()
{
    QSignalSpy settled(&m_link->frames(), &FrameScheduler::settled);
    QVERIFY(m_link->frames().isSettled() || settled.wait());
}

void TestBoardLink::changeDrawsOnlyItsPart()
{
    const QImage before = m_link->shown().copy();
    m_link->frames().setVariable(u"points_a"_s, u"007"_s);
    // Not at once: the process draws it first.
    QCOMPARE(m_shown->count(), 0);
    QVERIFY(m_shown->wait());
    const QRect changed = m_shown->first().first().toRect();
    QVERIFY(!changed.isEmpty());
    // Only team A's points changed, on the left of the board below the clock.
    QVERIFY2(changed.right() < Pixels.width() / 2 && changed.top() > Pixels.height() / 3,
             qPrintable(u"%1,%2 %3x%4"_s.arg(changed.x())
                            .arg(changed.y())
                            .arg(changed.width())
                            .arg(changed.height())));
    const QImage after = m_link->shown();
    QVERIFY(after.copy(changed) != before.copy(changed));
    // Outside what changed, the picture is as it was.
    QImage outside = after.copy();
    for (int y = changed.top(); y <= changed.bottom(); ++y)
        for (int x = changed.left(); x <= changed.right(); ++x)
            outside.setPixel(x, y, before.pixel(x, y));
    QCOMPARE(outside, before);
}

void TestBoardLink::movieThatDoesNotPlay()
{
    QSignalSpy outcome(m_link.get(), &BoardLink::outcomeChanged);
    m_link->load(u"/nonexistent/brevanto.dll"_s);
    QVERIFY(outcome.wait(20000));
    QVERIFY(!m_link->isPlaying());
    QCOMPARE(m_link->notice(), u"No scoreboard movie"_s);
    QVERIFY(m_link->shown().isNull());
    // Nothing more is drawn for it.
    m_link->frames().setVariable(u"points_a"_s, u"001"_s);
    QVERIFY(!m_shown->wait(300));
}

void TestBoardLink::stalledBoardComesBack()
{
    // As after a long pause of the machine: the board's process stops answering while it plays.
    // It is started again with the board as it stands, its last frame standing meanwhile.
    m_link->frames().setVariable(u"points_a"_s, u"042"_s);
    settle();
    const QImage before = m_link->shown().copy();
    const QList<qint64> boards = ChildProcesses(QCoreApplication::applicationPid());
    QCOMPARE(boards.size(), 1);
    QCOMPARE(kill(pid_t(boards.first()), SIGSTOP), 0);
    QTRY_VERIFY(HasEnded(boards.first()));
    QVERIFY(!m_link->isPlaying());
    QCOMPARE(m_link->shown(), before);
    QVERIFY(m_link->notice().isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(m_link->isPlaying(), 20000);
    settle();
    QCOMPARE(m_link->shown(), before);
    const QList<qint64> now = ChildProcesses(QCoreApplication::applicationPid());
    QCOMPARE(now.size(), 1);
    QVERIFY(now.first() != boards.first());
}

void TestBoardLink::boardHasNothingOfOurs()
{
    const QList<qint64> boards = ChildProcesses(QCoreApplication::applicationPid());
    QCOMPARE(boards.size(), 1);
    const QString process = u"/proc/%1/"_s.arg(boards.first());
    QFile environment(process + u"environ"_s);
    QVERIFY(environment.open(QIODevice::ReadOnly));
    for (const QByteArray &variable : environment.readAll().split('\0')) {
        QVERIFY2(!variable.startsWith("QT_") && !variable.startsWith("QML") &&
                     !variable.startsWith("LD_"),
                 variable.constData());
    }
    const QFileInfoList descriptors =
        QDir(process + u"fd"_s)
            .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    QVERIFY(descriptors.size() >= 4);
    for (const QFileInfo &descriptor : descriptors)
        QVERIFY2(descriptor.symLinkTarget() != m_cache.path(), qPrintable(descriptor.fileName()));
    // And it says what holds it: no new privileges at the least, which every kernel here gives.
    QVERIFY2(m_link->confinement().contains(u"held: no new privileges"_s),
             qPrintable(m_link->confinement().join(u'\n')));
}

QTEST_MAIN(TestBoardLink)
#include "test_boardlink.moc"
