// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardlaunch.h"
#include "boardprocess.h"
#include "sharedframes.h"
#include "trialsystem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What the trial would read of this process's memory were it let.
const char Secret[] = "what the console keeps to itself";

} // namespace

// The system's confinement of the board's process, apart from Qt: the trial program, started as
// the console starts the board's process and confined as that confines itself, tries what no
// board may do, and must be refused each time, while it still reads its own folder.
class TestConfinement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void act_data();
    void act();

private:
    QTemporaryDir m_scratch;
};

void TestConfinement::initTestCase()
{
    QVERIFY(m_scratch.isValid());
    const QDir scratch(m_scratch.path());
    QVERIFY(scratch.mkpath(u"board"_s) && scratch.mkpath(u"outside"_s));
    for (const QString &file : {u"board/inside.txt"_s, u"outside/secret.txt"_s}) {
        QFile written(scratch.filePath(file));
        QVERIFY(written.open(QIODevice::WriteOnly) && written.write("a line of its own\n") > 0);
    }
}

void TestConfinement::act_data()
{
    QTest::addColumn<QString>("act");
    QTest::addColumn<bool>("refused");
    // What refuses it on Windows, which Wine takes on without enforcing.
    QTest::addColumn<QString>("windowsLayers");

    QTest::newRow("read a file of its folder") << u"read-inside"_s << false << QString();
    const QString files = u"AppContainers (it has none) and integrity levels"_s;
    const QString processes = u"integrity levels and AppContainers"_s;
    QTest::newRow("read a file outside its folder") << u"read-outside"_s << true << files;
    QTest::newRow("list a folder outside its own") << u"list-outside"_s << true << files;
    QTest::newRow("write a file in its folder") << u"write-inside"_s << true << files;
    QTest::newRow("write a file outside its folder") << u"write-outside"_s << true << files;
    QTest::newRow("connect to a listener on the loopback address")
        << u"connect"_s << true << u"AppContainers' network isolation (it has no AppContainers)"_s;
    QTest::newRow("start a program")
        << u"start"_s << true << u"the job's one process and the child-process policy"_s;
    QTest::newRow("signal the process that started it") << u"signal"_s << true << processes;
    QTest::newRow("read the memory of the process that started it")
        << u"read-memory"_s << true << processes;
}

void TestConfinement::act()
{
    QFETCH(QString, act);
    QFETCH(bool, refused);
    QFETCH(QString, windowsLayers);

    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost));
    const QDir scratch(m_scratch.path());
    const QStringList order = {act,
                               scratch.filePath(u"board"_s),
                               scratch.filePath(u"outside/secret.txt"_s),
                               QString::number(listener.serverPort()),
                               QString::number(QCoreApplication::applicationPid()),
                               QString::number(reinterpret_cast<quintptr>(Secret)),
                               QString::number(sizeof Secret)};

    SharedFrames frames;
    QVERIFY(frames.isValid());
    BoardLaunch launch;
    QProcess trial;
    launch.start(trial, QCoreApplication::applicationDirPath() + QStringLiteral("/" BREVANTO_TRIAL),
                 frames, BoardProcess::MemoryLimit);
    QVERIFY2(trial.waitForStarted(), qPrintable(trial.errorString()));
    QVERIFY(launch.admit(scratch.filePath(u"board"_s)));
    trial.write(order.join(u'\t').toUtf8() + '\n');
    trial.closeWriteChannel();
    QVERIFY(trial.waitForFinished(60000));
    // Lines end in "\r\n" on Windows.
    const QString output = QString::fromUtf8(trial.readAllStandardOutput()).remove(u'\r').trimmed();
    QCOMPARE(trial.exitCode(), 0);
    const QString verdict = output.section(u'\n', -1);

    const bool done = verdict == u"done";
    if (refused && done && RunsUnderWine())
        QSKIP(qPrintable(u"waived: Wine does not enforce "_s + windowsLayers));
    QVERIFY2(done != refused, qPrintable(output));
    if (act == u"connect")
        QVERIFY(!listener.waitForNewConnection(100));
    if (act.startsWith(u"write"))
        QVERIFY(!QFile::exists(scratch.filePath(
            act == u"write-inside" ? u"board/written.txt"_s : u"outside/written.txt"_s)));
}

QTEST_GUILESS_MAIN(TestConfinement)
#include "test_confinement.moc"
