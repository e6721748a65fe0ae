// SPDX-License-Identifier: GPL-3.0-or-later
// A board's process that is no longer ours: it stands in for brevanto-board beside the test that
// starts it (under that name, in a folder of their own), speaks the protocol well enough to get
// its first frame on the screen, then does what the first line of its "movie" says:
//   act shrink       the frames' memory cut to nothing under the console's mapping
//   act grow         the frames' memory grown far beyond what the console made
//   act scribble     noise written into both frames without end, while it answers as it should
//   act overlong     a message longer than any the console accepts
//   act pipeful      a message as large as the pipe's buffer
//   act garbage      bytes that are no message
//   act flood        word that the board moved, without end
//   act outofturn    the frame of a Render that was never asked
//   act unasked      an answer to a question never asked
//   act outside      a frame said to have changed far outside the frames
//   act halfexit     half a message, then an end
//   act halfhang     half a message, then silence
// Each act comes with the second frame asked for, so the console has shown a frame before it.
#include "boardprotocol.h"
#include "sharedframes.h"

#include <QFile>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>
#include <unistd.h>

using namespace BoardProtocol;

namespace {

void Write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(STDOUT_FILENO, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written <= 0)
            std::_Exit(1);
        done += written;
    }
}

void Send(const FromBoard &message)
{
    Write(Encode(message));
}

// A message's length field, and the first bytes after it.
QByteArray Head(quint32 length)
{
    QByteArray head(4, '\0');
    for (int i = 0; i < 4; ++i)
        head[3 - i] = char((length >> (8 * i)) & 0xff);
    return head + QByteArray(3, char(0x66));
}

[[noreturn]] void Hang()
{
    for (;;)
        pause();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    SharedFrames frames(QByteArray(argv[1]).toLongLong());
    const int descriptor = QByteArray(argv[1]).toInt();
    QByteArray act;
    int renders = 0;
    std::atomic<bool> scribbling{false};
    std::jthread scribbler;

    Reader<ToBoard> reader(LongestToBoard);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0)
            return 0;
        reader.append(QByteArray(buffer, got));
        while (const std::optional<ToBoard> message = reader.next()) {
            if (const auto *load = std::get_if<Load>(&*message)) {
                QFile movie(load->path);
                if (movie.open(QIODevice::ReadOnly))
                    act = movie.readLine().trimmed().mid(4);
                Send(Loaded{MovieOutcome::Playing, {}, {}});
            } else if (const auto *size = std::get_if<Size>(&*message)) {
                scribbling = false;
                scribbler = {};
                if (!frames.setSize(size->pixels))
                    return 3;
            } else if (const auto *render = std::get_if<Render>(&*message)) {
                if (!scribbling)
                    frames.drawn().fill(renders % 2 ? 0xff203040 : 0xff304020);
                if (++renders < 2) {
                    Send(Frame{render->number, frames.drawn().rect()});
                    continue;
                }
                const QRect whole = frames.drawn().rect();
                if (act == "shrink") {
                    (void)ftruncate(descriptor, 0);
                } else if (act == "grow") {
                    (void)ftruncate(descriptor, off_t(64) << 30);
                } else if (act == "scribble" && !scribbling.exchange(true)) {
                    QImage both = frames.drawn();
                    const qsizetype bytes = 2 * both.sizeInBytes();
                    scribbler = std::jthread([memory = both.bits(), bytes, &scribbling] {
                        std::minstd_rand noise(7);
                        while (scribbling)
                            for (qsizetype i = 0; i < bytes && scribbling; i += 4096)
                                std::memset(memory + i, int(noise()), 4096);
                    });
                } else if (act == "overlong") {
                    Write(Head(quint32(LongestFromBoard + 1)) + QByteArray(1024, 'x'));
                    Hang();
                } else if (act == "pipeful") {
                    Write(Head(64 * 1024) + QByteArray(64 * 1024, 'x'));
                    Hang();
                } else if (act == "garbage") {
                    Write(QByteArray("\0\0\0\x05\xff\xfe\xfd\xfc\xfb\0\0\0\x01", 13));
                    Hang();
                } else if (act == "flood") {
                    for (;;)
                        Send(Changed{});
                } else if (act == "outofturn") {
                    Send(Frame{render->number + 7, whole});
                    Hang();
                } else if (act == "unasked") {
                    Send(Pong{12345});
                } else if (act == "outside") {
                    Send(Frame{render->number, QRect(0, 0, 100000, 100000)});
                    Hang();
                } else if (act == "halfexit") {
                    Write(Encode(FromBoard{Frame{render->number, whole}}).left(5));
                    std::_Exit(0);
                } else if (act == "halfhang") {
                    Write(Encode(FromBoard{Frame{render->number, whole}}).left(5));
                    Hang();
                }
                Send(Frame{render->number, whole});
            } else if (const auto *ping = std::get_if<Ping>(&*message)) {
                Send(Pong{ping->number});
            } else if (const auto *inspect = std::get_if<Inspect>(&*message)) {
                Send(Inspection{inspect->number, {}});
            }
        }
        if (reader.failed())
            return 4;
    }
}
