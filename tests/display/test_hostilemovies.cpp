#include "formfixture.h"
#include "hostilemovies.h"
#include "moviewatchdog.h"
#include "scratchprogram.h"

#include <QGuiApplication>
#include <QJSEngine>
#include <QLineEdit>
#include <QPushButton>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using HostileMovies::Outcome;

namespace {

int VisibleWindows()
{
    int count = 0;
    for (const QWindow *window : QGuiApplication::topLevelWindows())
        count += window->isVisible() ? 1 : 0;
    return count;
}

} // namespace

// Whatever lies where the scoreboard movie should be, the board area shows the movie or a plain
// notice, the program shows no message and opens no window of its own, and the operator window
// goes on working.
class TestHostileMovies : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void boardAreaAndConsole_data();
    void boardAreaAndConsole();
    void clockRunsWithoutAMovie();
    void moviePlaysAgainAfterACutOff();
    void watchdog_data();
    void watchdog();
    void wholeProgramBesideEachFile();

private:
    QString caption() const { return control<QPushButton>("Command1")->text(); }

    QTemporaryDir m_folder;
    std::chrono::nanoseconds m_now{1h};
};

void TestHostileMovies::init()
{
    ConsoleServices services = TestServices();
    services.clockTime = [this] { return m_now; };
    startNotingMessages(services);
    QVERIFY2(m_form->display()->isMovieLoaded(), "the real movie is beside the test");
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
    const bool plays = hostile.outcome == Outcome::Plays;
    QCOMPARE(board->isMovieLoaded(), plays);
    QCOMPARE(board->notice().isEmpty(), plays);
    QCOMPARE(VisibleWindows(), windowsBefore);
    QVERIFY(m_messages.isEmpty());

    // Typing, a hotkey with its refresh, Play/Pause without time, Set: all as always.
    auto *name = control<QLineEdit>("name_a");
    QTest::keyClicks(name, u"Lions"_s);
    QCOMPARE(name->text(), u"Lions"_s);
    KeyStroke(control<QLineEdit>("Teclado"), Qt::Key_1);
    QCOMPARE(control<QLineEdit>("points_a")->text(), u"1"_s);
    QCOMPARE(board->GetVariable(u"points_a"_s), u"001"_s);
    QCOMPARE(board->GetVariable(u"name_a"_s), u"Lions"_s);
    control<QPushButton>("Command1")->click();
    QCOMPARE(m_messages, QStringList{u"Set the time"_s});
    QCOMPARE(caption(), u"Play"_s);
    control<QLineEdit>("Minutos")->setText(u"2"_s);
    KeyStroke(control<QLineEdit>("Teclado"), Qt::Key_S, Qt::ShiftModifier);
    QCOMPARE(board->GetVariable(u"s_min"_s), u"2"_s);
    QCOMPARE(board->GetVariable(u"clock"_s), u"2:00"_s);
    QCOMPARE(VisibleWindows(), windowsBefore);
}

void TestHostileMovies::clockRunsWithoutAMovie()
{
    // The clock lives in the control, not in the movie: with the board undrawn the operator can
    // still run the game, and the horn still ends the period.
    DisplayControl *board = m_form->display();
    board->setMovie(m_folder.filePath(u"missing/brevanto.dll"_s));
    QVERIFY(!board->isMovieLoaded());
    QSignalSpy horn(board, &DisplayControl::hornSounded);

    control<QLineEdit>("segundos")->setText(u"30"_s);
    control<QPushButton>("Command3")->click();
    control<QPushButton>("Command1")->click();
    QCOMPARE(caption(), u"Pause"_s);
    m_now += 10s;
    CatchUp(board);
    QCOMPARE(board->GetVariable(u"sec"_s), u"20"_s);
    control<QPushButton>("Command1")->click();
    QCOMPARE(caption(), u"Play"_s);
    m_now += 1min;
    CatchUp(board);
    QCOMPARE(board->GetVariable(u"sec"_s), u"20"_s);
    control<QPushButton>("Command1")->click();
    m_now += 20s;
    CatchUp(board);
    QCOMPARE(horn.count(), 1);
    // Run out: the movie check refuses, as it would with the board drawn.
    control<QPushButton>("Command1")->click();
    QCOMPARE(m_messages, QStringList{u"Set the time"_s});
}

void TestHostileMovies::moviePlaysAgainAfterACutOff()
{
    // The cut-off must not outlive the movie it stopped: the next movie's scripts run.
    DisplayControl *board = m_form->display();
    const QString realMovie = board->Movie();
    const QString loop = m_folder.filePath(u"loop.qml"_s);
    QVERIFY(HostileMovies::Write(
        loop, "import QtQuick\nItem { Component.onCompleted: { for (;;) {} } }\n"));
    board->setMovie(loop);
    QVERIFY(!board->isMovieLoaded());

    board->setMovie(realMovie);
    QVERIFY(board->isMovieLoaded());
    board->SetVariable(u"name_a"_s, u"Lions"_s);
    const auto *movie = board->rootObject()->property("movie").value<QQuickItem *>();
    QVERIFY(movie);
    QStringList names;
    for (const QQuickItem *item : movie->findChildren<QQuickItem *>(u"name"_s))
        names.append(item->property("text").toString());
    QVERIFY2(names.contains(u"Lions"_s), qPrintable(names.join(u", ")));
}

void TestHostileMovies::watchdog_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("fires");

    QTest::newRow("endless loop") << u"for (;;) {}"_s << 50 << true;
    QTest::newRow("endless loop that catches the cut-off")
        << u"for (;;) { try { for (;;) {} } catch (e) {} }"_s << 50 << true;
    QTest::newRow("endless recursion into a loop")
        << u"(function f() { try { for (;;) {} } finally { f() } })()"_s << 50 << true;
    QTest::newRow("quick script") << u"6 * 7"_s << 60000 << false;
}

void TestHostileMovies::watchdog()
{
    QFETCH(QString, script);
    QFETCH(int, limit);
    QFETCH(bool, fires);
    QJSEngine engine;
    QJSValue result;
    const bool cutShort = RunWatched(&engine, std::chrono::milliseconds(limit),
                                     [&] { result = engine.evaluate(script); });
    QCOMPARE(cutShort, fires);
    QCOMPARE(result.isError(), fires);
    QVERIFY(!engine.isInterrupted());
    QCOMPARE(engine.evaluate(u"6 * 7"_s).toInt(), 42);
}

void TestHostileMovies::wholeProgramBesideEachFile()
{
    // The real program, copied beside each file and started as the operator starts it: its
    // window is shown, the notice or the movie in the board area, and it keeps running. Started
    // a few at a time, as each spends two seconds on its splash.
    const auto cases = HostileMovies::Cases();
    constexpr std::size_t Batch = 6;
    for (std::size_t first = 0; first < cases.size(); first += Batch) {
        std::vector<std::unique_ptr<ScratchProgram>> programs;
        for (std::size_t i = first; i < std::min(first + Batch, cases.size()); ++i) {
            auto program = std::make_unique<ScratchProgram>(QStringLiteral(BREVANTO_PROGRAM));
            QVERIFY2(program->isValid(), cases[i].name);
            QVERIFY2(cases[i].make(program->file(u"brevanto.dll"_s)), cases[i].name);
            program->start();
            programs.push_back(std::move(program));
        }
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const HostileMovies::Case &hostile = cases[first + i];
            const auto shown = programs[i]->waitShown(60s);
            QVERIFY2(shown, hostile.name);
            QCOMPARE(shown->fields.size(), 2);
            const bool plays = hostile.outcome == Outcome::Plays;
            QVERIFY2((shown->fields.at(1) == u"movie"_s) == plays,
                     qPrintable(QString::fromLatin1(hostile.name) + u": "_s + shown->fields.at(1)));
            QVERIFY2(programs[i]->keepsRunningFor(1s),
                     qPrintable(QString::fromLatin1(hostile.name) + u": ended with "_s +
                                QString::number(programs[i]->process().exitCode())));
        }
    }
}

QTEST_MAIN(TestHostileMovies)
#include "test_hostilemovies.moc"
