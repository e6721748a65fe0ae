// SPDX-License-Identifier: GPL-3.0-or-later
// How long a board that stalls (its process stopped, as by a long pause of the machine) leaves
// the audience its last picture before it is back, drawn anew by a process started again.
//   board_stall [rounds]
#include "benchsupport.h"
#include "boardlink.h"
#include "scratchprogram.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>

using namespace Bench;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 3;
    std::vector<double> back;
    for (int round = 0; round < rounds; ++round) {
        // A link of its own each round: the restart rule forgives only so many a minute.
        BoardLink link;
        link.frames().setSize(QSize(1920, 1080), 1);
        link.load(QCoreApplication::applicationDirPath() + QStringLiteral("/brevanto.dll"));
        link.frames().setVariable(QStringLiteral("points_a"), QStringLiteral("042"));
        while (!link.isPlaying())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        Wait(std::chrono::milliseconds(300));
        const QList<qint64> boards = ChildProcesses(QCoreApplication::applicationPid());
        if (boards.size() != 1 || kill(pid_t(boards.first()), SIGSTOP) != 0) {
            std::fprintf(stderr, "board_stall: no board process to stop\n");
            return 1;
        }
        QElapsedTimer stalled;
        stalled.start();
        // Gone from the screen only when the new process has drawn its first frame.
        while (!link.isPlaying() || ChildProcesses(QCoreApplication::applicationPid()) == boards)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        back.push_back(Milliseconds(std::chrono::nanoseconds(stalled.nsecsElapsed())));
    }
    PrintDistribution("stall -> board back on the screen", back, {0.5}, 0, "stalls");
    return 0;
}
