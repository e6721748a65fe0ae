// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The memory a running process holds, in bytes, as the system counts it against a limit: its
// resident pages on Linux, its committed private memory on Windows (what a job's memory cap
// counts). 0 when it cannot be read. One file per system (processmemory_<system>.cpp).
qint64 MemoryInUse(qint64 processId);
