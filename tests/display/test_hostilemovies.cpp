// SPDX-License-Identifier: GPL-3.0-or-later
#include "consolecheck.h"
#include "faketime.h"
#include "hostilemovies.h"
#include "movienotice.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using HostileMovies::Outcome;

namespace {

// The pixels of the board area in the notices' grey: the words of a notice.
int NoticePixels(DisplayControl *board)
{
    const QImage area = board->grab().toImage();
    int count = 0;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x)
            count += qGray(area.pixel(x, y)) > 0x60 ? 1 : 0;
    }
    return count;
}

int VisibleWindows()
{
    int count = 0;
    for (const QWindow *window : QGuiApplication::topLevelWindows())
        count += window->isVisible() ? 1 : 0;
    return count;
}

} // namespace

// Whatever lies where the scoreboard movie should be, or whatever it does once it plays, the
// board area shows the movie or a plain notice, the program shows no message and opens no window
// of its own, the operator window goes on working, the horn sounds, and the exit leaves nothing
// running.
class TestHostileMovies : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void boardAreaAndConsole_data();
    void boardAreaAndConsole();
    void clockRunsWithoutAMovie();
    void slowLoadIsSaid();
    void moviePlaysAgainAfterACutOff();
    void remoteFilesAreNeverFetched();
    void wholeProgramBesideSomeFiles();

private:
    QString caption() const { return control<QPushButton>("Command1")->text(); }
    void setOff(HostileMovies::Trigger trigger);

    QTemporaryDir m_folder;
    FakeTime m_time;
    int m_horns = 0;
};

void TestHostileMovies::init()
{
    ConsoleServices services = TestServices();
    services.display.clockTime = &m_time;
    services.display.horn = [this] { ++m_horns; };
    m_horns = 0;
    startNotingMessages(services);
}

void TestHostileMovies::cleanup()
{
    m_form.reset();
}

void TestHostileMovies::boardAreaAndConsole_data()
{
    QTest::addColumn<int>("index");
    const auto cases = HostileMovies::Cases();
    for (std::size_t i = 0; i < cases.size(); ++i)
        QTest::newRow(cases[i].name) << int(i);
}

void TestHostileMovies::boardAreaAndConsole()
{
    QFETCH(int, index);
    const HostileMovies::Case &hostile = HostileMovies::Cases()[std::size_t(index)];
    QTemporaryDir folder;
    const QString path = folder.filePath(u"brevanto.dll"_s);
    QVERIFY(hostile.make(path));
    DisplayControl *board = m_form->display();
    const int windowsBefore = VisibleWindows();

    board->setMovie(path);
    QVERIFY(WaitForBoard(board));
    QCOMPARE(board->isMovieLoaded(), hostile.outcome != Outcome::Refused);
    QCOMPARE(board->notice().isEmpty(), hostile.outcome != Outcome::Refused);
    if (hostile.outcome == Outcome::Refused)
        QCOMPARE(board->notice(), NoticeText(hostile.reason));

    const QList<qint64> boardsBefore = ChildProcesses(QCoreApplication::applicationPid());
    setOff(hostile.trigger);
    if (hostile.trigger == HostileMovies::Trigger::ClockRunsOut)
        QCOMPARE(m_horns, 1);
    if (hostile.outcome == Outcome::Stops) {
        QTRY_VERIFY_WITH_TIMEOUT(!board->notice().isEmpty(), 30000);
        QVERIFY(!board->isMovieLoaded());
        if (hostile.reason != MovieOutcome::Playing)
            QCOMPARE(board->notice(), NoticeText(hostile.reason));
    } else if (hostile.outcome == Outcome::Recovers) {
        // A board process of its own again, and the movie on the screen without a notice.
        QTRY_VERIFY_WITH_TIMEOUT(ChildProcesses(QCoreApplication::applicationPid()) !=
                                         boardsBefore &&
                                     board->isMovieLoaded(),
                                 10000);
        QVERIFY(board->notice().isEmpty());
    } else if (hostile.outcome == Outcome::Plays) {
        // Still playing a while later: its faults, whatever their timers do, are its own.
        QTest::qWait(400);
        QVERIFY(board->isMovieLoaded());
    }
    if (hostile.forbidden)
        QVERIFY(!HostileMovies::Shows(board->grab().toImage(), *hostile.forbidden));
    QCOMPARE(VisibleWindows(), windowsBefore);
    QVERIFY(m_messages.isEmpty());
    CheckConsoleWorksToItsExit(m_form, m_messages);
    // The board's process is gone with the console: nothing of it writes any more.
    if (hostile.neverWritten)
        QVERIFY(!QFileInfo::exists(folder.filePath(QString::fromUtf8(hostile.neverWritten))));
    if (hostile.cleanUp)
        hostile.cleanUp(path);
}

// What sets the movie's fault off.
void TestHostileMovies::setOff(HostileMovies::Trigger trigger)
{
    switch (trigger) {
    case HostileMovies::Trigger::None:
        return;
    case HostileMovies::Trigger::PointsA:
        KeyStroke(control<QLineEdit>("Teclado"), Qt::Key_1);
        QCOMPARE(control<QLineEdit>("points_a")->text(), u"1"_s);
        return;
    case HostileMovies::Trigger::ClockRunsOut: {
        control<QLineEdit>("segundos")->setText(u"1"_s);
        control<QPushButton>("Command3")->click();
        control<QPushButton>("Command1")->click();
        // Shown running a moment before it runs out, as a game's clock would be.
        m_time.advance(500ms);
        QTest::qWait(100);
        m_time.advance(500ms);
        QCOMPARE(m_form->display()->GetVariable(u"clock"_s), u"0.0"_s);
        // The board shows "0.0" before the operator sets the clock again.
        QTest::qWait(100);
        control<QPushButton>("Command3")->click();
        control<QLineEdit>("segundos")->clear();
        return;
    }
    }
}

void TestHostileMovies::clockRunsWithoutAMovie()
{
    // The clock lives in the control, not in the movie: with the board undrawn the operator can
    // still run the game, and the horn still ends the period.
    DisplayControl *board = m_form->display();
    board->setMovie(m_folder.filePath(u"missing/brevanto.dll"_s));
    QVERIFY(!board->isMovieLoaded());

    control<QLineEdit>("segundos")->setText(u"30"_s);
    control<QPushButton>("Command3")->click();
    control<QPushButton>("Command1")->click();
    QCOMPARE(caption(), u"Pause"_s);
    m_time.advance(10s);
    QCOMPARE(board->GetVariable(u"sec"_s), u"20"_s);
    control<QPushButton>("Command1")->click();
    QCOMPARE(caption(), u"Play"_s);
    m_time.advance(1min);
    QCOMPARE(board->GetVariable(u"sec"_s), u"20"_s);
    control<QPushButton>("Command1")->click();
    m_time.advance(20s);
    QCOMPARE(m_horns, 1);
    // Run out: the movie check refuses, as it would with the board drawn.
    control<QPushButton>("Command1")->click();
    QCOMPARE(m_messages, QStringList{u"Set the time"_s});
}

void TestHostileMovies::slowLoadIsSaid()
{
    // A black board that takes seconds to load: the area stays black for half a second, then
    // says the board is loading until the board (or its notice) is there.
    const QString path = m_folder.filePath(u"slow.qml"_s);
    QVERIFY(HostileMovies::Write(path, "import QtQuick\nRectangle {\n    width: 400; height: 300\n"
                                       "    color: \"black\"\n"
                                       "    Repeater { model: 300000; Item {} }\n}\n"));
    DisplayControl *board = m_form->display();
    QElapsedTimer loading;
    loading.start();
    board->setMovie(path);
    QTest::qWait(300);
    QCOMPARE(NoticePixels(board), 0);
    QTRY_VERIFY(NoticePixels(board) > 0);
    QVERIFY(loading.elapsed() >= 500);
    QVERIFY(!board->isMovieLoaded());
    QVERIFY(board->notice().isEmpty());
    // The word gives way to the board, or to the notice of a board that took too long.
    QVERIFY(WaitForBoard(board));
    if (board->isMovieLoaded())
        QCOMPARE(NoticePixels(board), 0);
}

void TestHostileMovies::moviePlaysAgainAfterACutOff()
{
    // The cut-off must not outlive the movie it stopped: the next movie's scripts run, and its
    // bindings draw what it is sent.
    DisplayControl *board = m_form->display();
    const QString realMovie = board->Movie();
    const QString loop = m_folder.filePath(u"loop.qml"_s);
    QVERIFY(HostileMovies::Write(
        loop, "import QtQuick\nItem { Component.onCompleted: { for (;;) {} } }\n"));
    board->setMovie(loop);
    QVERIFY(WaitForBoard(board));
    QVERIFY(!board->isMovieLoaded());

    board->setMovie(realMovie);
    QVERIFY(WaitForBoard(board));
    QVERIFY(board->isMovieLoaded());
    const QImage before = board->grab().toImage();
    board->SetVariable(u"name_a"_s, u"Lions"_s);
    QTRY_VERIFY(board->grab().toImage() != before);
}

void TestHostileMovies::remoteFilesAreNeverFetched()
{
    // A server of our own where the movie's picture, its script's request and the page it asks
    // the desktop to open point: nothing may reach it, and the movie plays on without them.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(server.serverPort()) + "/";
    const QString path = m_folder.filePath(u"remote.qml"_s);
    QVERIFY(HostileMovies::Write(
        path, HostileMovies::Movie("    Image { source: \"" + url +
                                   "board.png\" }\n"
                                   "    Component.onCompleted: { const request = new "
                                   "XMLHttpRequest(); request.open(\"GET\", \"" +
                                   url + "data\"); request.send(); Qt.openUrlExternally(\"" + url +
                                   "page\") }")));
    DisplayControl *board = m_form->display();
    board->setMovie(path);
    QVERIFY(WaitForBoard(board));
    QVERIFY(board->isMovieLoaded());
    // Connections made while the board loaded are waiting already; then any made later.
    QVERIFY(!server.hasPendingConnections());
    QVERIFY(!server.waitForNewConnection(1500));
}

void TestHostileMovies::wholeProgramBesideSomeFiles()
{
    // The real program, copied beside a file of each kind of outcome and started as the operator
    // starts it, all at once: its window is shown, the notice or the movie in the board area,
    // and it keeps running. Every row's console is the window test's above.
    const QSet<QByteArray> names{"missing",
                                 "endless loop when it starts",
                                 "creates itself without end when it starts",
                                 "asks the program to quit",
                                 "memory without end",
                                 "a part of 50 MiB (sparse)"};
    std::vector<std::pair<const HostileMovies::Case *, std::unique_ptr<ScratchProgram>>> programs;
    for (const HostileMovies::Case &hostile : HostileMovies::Cases()) {
        if (!names.contains(hostile.name))
            continue;
        auto program = std::make_unique<ScratchProgram>(QStringLiteral(BREVANTO_PROGRAM));
        QVERIFY2(program->isValid(), hostile.name);
        QVERIFY2(hostile.make(program->file(u"brevanto.dll"_s)), hostile.name);
        program->start();
        programs.emplace_back(&hostile, std::move(program));
    }
    QCOMPARE(programs.size(), std::size_t(names.size()));
    for (auto &[hostile, program] : programs) {
        const auto shown = program->waitShown(60s);
        QVERIFY2(shown, hostile->name);
        QCOMPARE(shown->fields.size(), 2);
        const bool plays = hostile->outcome != Outcome::Refused;
        QVERIFY2((shown->fields.at(1) == u"movie"_s) == plays,
                 qPrintable(QString::fromLatin1(hostile->name) + u": "_s + shown->fields.at(1)));
        if (hostile->outcome == Outcome::Refused)
            QCOMPARE(shown->fields.at(1), NoticeText(hostile->reason));
        QVERIFY2(program->keepsRunningFor(1s),
                 qPrintable(QString::fromLatin1(hostile->name) + u": ended with "_s +
                            QString::number(program->process().exitCode())));
    }
    // Ended, the programs leave nothing running: their boards' processes die with them.
    QList<qint64> boards;
    for (const auto &[hostile, program] : programs)
        boards += program->children();
    programs.clear();
    for (const qint64 pid : boards)
        QTRY_VERIFY2(HasEnded(pid), qPrintable(u"process %1 still runs"_s.arg(pid)));
}

QTEST_MAIN(TestHostileMovies)
#include "test_hostilemovies.moc"
