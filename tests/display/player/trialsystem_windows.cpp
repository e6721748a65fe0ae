// SPDX-License-Identifier: GPL-3.0-or-later
#include "trialsystem.h"

#include <windows.h>

#include <bit>

QString SignalProcess(qint64 pid)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(pid));
    if (!process)
        return qt_error_string(int(GetLastError()));
    CloseHandle(process);
    return {};
}

QByteArray ReadMemoryOf(qint64 pid, quintptr address, qsizetype size, QString *error)
{
    HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, DWORD(pid));
    if (!process) {
        *error = qt_error_string(int(GetLastError()));
        return {};
    }
    QByteArray bytes(size, '\0');
    SIZE_T read = 0;
    const bool done = ReadProcessMemory(process, std::bit_cast<LPCVOID>(address), bytes.data(),
                                        SIZE_T(size), &read) &&
                      read == SIZE_T(size);
    if (!done)
        *error = qt_error_string(int(GetLastError()));
    CloseHandle(process);
    return done ? bytes : QByteArray();
}

bool RunsUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
