// SPDX-License-Identifier: GPL-3.0-or-later
#include "trialsystem.h"

#include <bit>
#include <cerrno>
#include <csignal>
#include <sys/uio.h>

QString SignalProcess(qint64 pid)
{
    return kill(pid_t(pid), 0) == 0 ? QString() : qt_error_string(errno);
}

QByteArray ReadMemoryOf(qint64 pid, quintptr address, qsizetype size, QString *error)
{
    QByteArray bytes(size, '\0');
    const iovec local = {bytes.data(), size_t(size)};
    const iovec remote = {std::bit_cast<void *>(address), size_t(size)};
    if (process_vm_readv(pid_t(pid), &local, 1, &remote, 1, 0) != size) {
        *error = qt_error_string(errno);
        return {};
    }
    return bytes;
}

bool RunsUnderWine()
{
    return false;
}
