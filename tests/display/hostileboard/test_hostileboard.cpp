// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolecheck.h"
#include "faketime.h"
#include "movienotice.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

enum class Outcome
{
    Plays,     // the board plays on, wrong pixels at worst
    Notice,    // the process is ended as faulty: the notice comes at once
    Restarted, // the process is ended (or ends) and a new one plays the board again
};

} // namespace

// The console with a board's process that is no longer ours: native code in it, as a plugin or a
// decoder's fault could bring, that attacks what it shares with the console (the frames' memory,
// the pipes). Beside this test, under the name the console starts, lies a process that does so
// (hostileboard.cpp): whatever it does, the console keeps its window, hotkeys, clock and exit,
// and the board area shows the board, a restarted one or the notice.
class TestHostileBoard : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void consoleSurvives_data();
    void consoleSurvives();

private:
    FakeTime m_time;
};

void TestHostileBoard::init()
{
    ConsoleServices services = TestServices();
    services.display.clockTime = &m_time;
    services.display.horn = [] {};
    startNotingMessages(services);
}

void TestHostileBoard::cleanup()
{
    m_form.reset();
}

void TestHostileBoard::consoleSurvives_data()
{
    QTest::addColumn<QByteArray>("act");
    QTest::addColumn<int>("outcome");

    // The frames' memory
    QTest::newRow("shrinks the frames") << QByteArray("shrink") << int(Outcome::Plays);
    QTest::newRow("grows the frames") << QByteArray("grow") << int(Outcome::Notice);
    QTest::newRow("scribbles while they are read") << QByteArray("scribble") << int(Outcome::Plays);
    // What it says
    QTest::newRow("a message too long") << QByteArray("overlong") << int(Outcome::Notice);
    QTest::newRow("a message the size of the pipe")
        << QByteArray("pipeful") << int(Outcome::Notice);
    QTest::newRow("garbage") << QByteArray("garbage") << int(Outcome::Notice);
    QTest::newRow("a flood") << QByteArray("flood") << int(Outcome::Notice);
    QTest::newRow("a frame out of turn") << QByteArray("outofturn") << int(Outcome::Notice);
    QTest::newRow("an answer never asked for") << QByteArray("unasked") << int(Outcome::Notice);
    QTest::newRow("a change outside the frames") << QByteArray("outside") << int(Outcome::Notice);
    // How it ends
    QTest::newRow("ends in the middle of a message")
        << QByteArray("halfexit") << int(Outcome::Restarted);
    QTest::newRow("falls silent in the middle of a message")
        << QByteArray("halfhang") << int(Outcome::Restarted);
}

void TestHostileBoard::consoleSurvives()
{
    QFETCH(QByteArray, act);
    QFETCH(int, outcome);
    QTemporaryDir folder;
    const QString movie = folder.filePath(u"brevanto.dll"_s);
    QFile file(movie);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("act " + act + '\n') > 0);
    file.close();

    DisplayControl *board = m_form->display();
    board->setMovie(movie);
    QVERIFY(WaitForBoard(board));
    QVERIFY2(board->isMovieLoaded(), qPrintable(board->notice()));
    const QList<qint64> before = ChildProcesses(QCoreApplication::applicationPid());

    // A hotkey's refresh asks for the second frame, with which the process acts.
    QElapsedTimer sinceAct;
    sinceAct.start();
    KeyStroke(Control<QLineEdit>(m_form.get(), "Teclado"), Qt::Key_9);
    switch (Outcome(outcome)) {
    case Outcome::Plays:
        // Frames keep coming and are painted, wrong pixels and all.
        for (int stroke = 0; stroke < 5; ++stroke) {
            KeyStroke(Control<QLineEdit>(m_form.get(), "Teclado"), Qt::Key_9);
            QTest::qWait(100);
            QVERIFY(!board->grab().isNull());
        }
        QVERIFY2(board->isMovieLoaded(), qPrintable(board->notice()));
        break;
    case Outcome::Notice:
        QTRY_VERIFY_WITH_TIMEOUT(!board->notice().isEmpty(), 5000);
        QCOMPARE(board->notice(), NoticeText(MovieOutcome::Crashed));
        qInfo("%s: the notice %lld ms after the act", act.constData(),
              qlonglong(sinceAct.elapsed()));
        break;
    case Outcome::Restarted:
        QTRY_VERIFY_WITH_TIMEOUT(ChildProcesses(QCoreApplication::applicationPid()) != before &&
                                     board->isMovieLoaded(),
                                 5000);
        QVERIFY(board->notice().isEmpty());
        qInfo("%s: the board again %lld ms after the act", act.constData(),
              qlonglong(sinceAct.elapsed()));
        break;
    }
    QVERIFY(m_form->isVisible());
    QVERIFY(m_messages.isEmpty());
    CheckConsoleWorksToItsExit(m_form, m_messages);
}

QTEST_MAIN(TestHostileBoard)
#include "test_hostileboard.moc"
