// SPDX-License-Identifier: GPL-3.0-or-later
// The orders read without blocking whenever the event loop sees them come; the answers on a
// descriptor of their own.
#include "controlpipe.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

struct ControlPipe::System
{
    int answers = -1;
    QSocketNotifier *orders = nullptr;
};

ControlPipe::ControlPipe(QObject *parent) : QObject(parent), m_system(std::make_unique<System>())
{
    m_system->answers = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
    m_system->orders = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_system->orders, &QSocketNotifier::activated, this, [this] {
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
            if (got > 0) {
                Q_EMIT received(QByteArray(buffer, got));
                continue;
            }
            if (got < 0 && errno == EINTR)
                continue;
            if (got == 0) {
                m_system->orders->setEnabled(false);
                Q_EMIT closed();
            }
            return;
        }
    });
}

ControlPipe::~ControlPipe() = default;

void ControlPipe::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(m_system->answers, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            std::_Exit(1); // the console is gone
        done += written;
    }
}
