// SPDX-License-Identifier: GPL-3.0-or-later
// The orders read by a thread of their own, since the event loop cannot wait on an anonymous
// pipe; the answers on a handle of their own. Both with the system's own calls, which read and
// write bytes as they are (the C library's text mode would turn "\n" into "\r\n").
#include "controlpipe.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPointer>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <thread>

namespace {

// What the reading thread shares with the pipe: the pipe goes first when the process ends.
struct Receiver
{
    QMutex mutex;
    QPointer<ControlPipe> pipe;
};

} // namespace

struct ControlPipe::System
{
    HANDLE answers = INVALID_HANDLE_VALUE;
    std::shared_ptr<Receiver> receiver = std::make_shared<Receiver>();
};

ControlPipe::ControlPipe(QObject *parent) : QObject(parent), m_system(std::make_unique<System>())
{
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!DuplicateHandle(GetCurrentProcess(), output, GetCurrentProcess(), &m_system->answers, 0,
                         FALSE, DUPLICATE_SAME_ACCESS))
        m_system->answers = INVALID_HANDLE_VALUE;
    // Whatever else writes to the standard output, through the system or the C library, writes
    // to the standard error from now on.
    SetStdHandle(STD_OUTPUT_HANDLE, GetStdHandle(STD_ERROR_HANDLE));
    std::fflush(stdout);
    _dup2(_fileno(stderr), _fileno(stdout));

    m_system->receiver->pipe = this;
    // Blocked in a read for as long as the process lives; it ends with the process.
    std::thread([receiver = m_system->receiver, orders = GetStdHandle(STD_INPUT_HANDLE)] {
        const auto deliver = [&receiver](auto signal) {
            const QMutexLocker lock(&receiver->mutex);
            if (ControlPipe *pipe = receiver->pipe)
                QMetaObject::invokeMethod(
                    pipe, [pipe, signal] { signal(pipe); }, Qt::QueuedConnection);
        };
        char buffer[64 * 1024];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(orders, buffer, sizeof buffer, &got, nullptr) || got == 0)
                break;
            deliver([bytes = QByteArray(buffer, qsizetype(got))](ControlPipe *pipe) {
                Q_EMIT pipe->received(bytes);
            });
        }
        deliver([](ControlPipe *pipe) { Q_EMIT pipe->closed(); });
    }).detach();
}

ControlPipe::~ControlPipe()
{
    const QMutexLocker lock(&m_system->receiver->mutex);
    m_system->receiver->pipe = nullptr;
}

void ControlPipe::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(m_system->answers, bytes.constData() + done, DWORD(bytes.size() - done),
                       &written, nullptr) ||
            written == 0)
            std::_Exit(1); // the console is gone
        done += written;
    }
}
