// SPDX-License-Identifier: GPL-3.0-or-later
// The board's process, started by the display control with the shared frames as a descriptor:
//   brevanto-board <frames descriptor>
// It takes its orders on standard input and answers on standard output (BoardProtocol); it
// dies with the control's process.

#include "boardplayer.h"
#include "boardprotocol.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

void WriteAll(int descriptor, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(descriptor, bytes.constData() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            std::_Exit(1); // the control is gone
        done += written;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // The answers go out on a descriptor of their own; whatever else writes to the standard
    // output (a library, the movie's console) lands among the messages instead.
    const int answers = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);

    // No window of its own, so nothing the movie opens can take the keyboard or cover the
    // screen; drawn in software into the shared frames.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The movie is anyone's file: nothing compiled from it is kept on disk for the next start.
    qputenv("QML_DISABLE_DISK_CACHE", "1");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);
    bool ok = false;
    const int frames = argc > 1 ? QByteArray(argv[1]).toInt(&ok) : -1;
    if (!ok || frames < 0) {
        std::fprintf(stderr, "usage: brevanto-board <frames descriptor>\n");
        return 2;
    }

    BoardPlayer player(frames, [answers](const BoardProtocol::FromBoard &message) {
        WriteAll(answers, BoardProtocol::Encode(message));
    });

    BoardProtocol::Reader<BoardProtocol::ToBoard> reader(BoardProtocol::LongestToBoard);
    fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    QSocketNotifier orders(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&orders, &QSocketNotifier::activated, &app, [&] {
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
            if (got > 0) {
                reader.append(QByteArray(buffer, got));
                continue;
            }
            if (got < 0 && errno == EINTR)
                continue;
            if (got == 0) // the control closed our orders: it is gone
                QCoreApplication::exit(0);
            break;
        }
        while (const auto message = reader.next())
            player.handle(*message);
        if (reader.failed())
            QCoreApplication::exit(3);
    });
    return QGuiApplication::exec();
}
