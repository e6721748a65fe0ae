// SPDX-License-Identifier: GPL-3.0-or-later
// The commit charge that GetProcessMemoryInfo gives (PagefileUsage: the same figure as
// PrivateUsage on Windows, and the one of the two that Wine fills in).
#include "processmemory.h"

#include <windows.h>

#include <psapi.h>

qint64 MemoryInUse(qint64 processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(processId));
    if (!process)
        return 0;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    return read ? qint64(counters.PagefileUsage) : 0;
}
