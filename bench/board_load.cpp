// SPDX-License-Identifier: GPL-3.0-or-later
// From a board's Load to its Loaded answer, its process started a while ahead as the console
// starts it (during the splash): how long the operator waits for the board once the splash
// is gone. One load per process, since only the first load of a process counts.
//   board_load [board.qml] [rounds]   (the program's own board by default)
#include "benchsupport.h"
#include "boardprocess.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

using namespace Bench;
using namespace std::chrono_literals;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString board = argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()
                                   : QCoreApplication::applicationDirPath() + u"/brevanto.dll";
    const int rounds = argc > 2 ? QByteArray(argv[2]).toInt() : 10;
    std::vector<double> loads;
    for (int round = 0; round < rounds; ++round) {
        BoardProcess process;
        process.start();
        Wait(1000ms);
        bool loaded = false;
        QObject::connect(&process, &BoardProcess::received, [&](const auto &message) {
            loaded = loaded || std::holds_alternative<BoardProtocol::Loaded>(message);
        });
        QObject::connect(&process, &BoardProcess::ended, [] {
            std::fprintf(stderr, "board_load: the board's process ended\n");
            std::exit(1);
        });
        QElapsedTimer clock;
        clock.start();
        process.ask(BoardProtocol::Load{board}, BoardProcess::LoadLimit);
        while (!loaded)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        loads.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    PrintDistribution("Load -> Loaded, process started ahead", loads, {0.5}, 1, "loads");
    return 0;
}
