// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel and user times that GetProcessTimes gives, in units of 100 ns (counted by the
// system's clock ticks: coarser than Linux's).
#include "processtime.h"

#include <windows.h>

namespace {

qint64 Units(const FILETIME &time)
{
    return (qint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

std::chrono::nanoseconds ProcessorTime(qint64 processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(processId));
    if (!process)
        return {};
    FILETIME created = {}, ended = {}, kernel = {}, user = {};
    const bool read = GetProcessTimes(process, &created, &ended, &kernel, &user);
    CloseHandle(process);
    return read ? std::chrono::nanoseconds((Units(kernel) + Units(user)) * 100)
                : std::chrono::nanoseconds{};
}
