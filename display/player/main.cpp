// SPDX-License-Identifier: GPL-3.0-or-later
// The board's process, started by the display control with the shared frames' handle:
//   brevanto-board <frames handle>
// It takes its orders on standard input and answers on standard output (BoardProtocol); it
// dies with the control's process.

#include "boardplayer.h"
#include "boardprotocol.h"
#include "confinement.h"
#include "controlpipe.h"

#include <QGuiApplication>
#include <QQuickWindow>

#include <cstdio>

int main(int argc, char *argv[])
{
    bool ok = false;
    const qintptr frames = argc > 1 ? QByteArray(argv[1]).toLongLong(&ok) : -1;
    if (!ok || frames < 0) {
        std::fprintf(stderr, "usage: brevanto-board <frames handle>\n");
        return 2;
    }
    // Before anything of ours is opened: nothing but what the console meant to give.
    CloseInheritedHandles(frames);

    // No window of its own, so nothing the movie opens can take the keyboard or cover the
    // screen; drawn in software into the shared frames.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The movie is anyone's file: nothing compiled from it is kept on disk for the next start.
    qputenv("QML_DISABLE_DISK_CACHE", "1");
    // Warnings, the movie's console among them, go to the standard error, which the console
    // reads, even where Qt would hand them to a debugger (a Windows program without a console).
    qputenv("QT_FORCE_STDERR_LOGGING", "1");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);
    // Before the movie, or anything made for it, can write to the standard output.
    ControlPipe pipe;

    BoardPlayer player(frames, [&pipe](const BoardProtocol::FromBoard &message) {
        pipe.write(BoardProtocol::Encode(message));
    });

    BoardProtocol::Reader<BoardProtocol::ToBoard> reader(BoardProtocol::LongestToBoard);
    QObject::connect(&pipe, &ControlPipe::closed, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(&pipe, &ControlPipe::received, &app, [&](const QByteArray &bytes) {
        reader.append(bytes);
        while (const auto message = reader.next())
            player.handle(*message);
        if (reader.failed())
            QCoreApplication::exit(3);
    });
    return QGuiApplication::exec();
}
