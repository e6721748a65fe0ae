// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <chrono>

// The time a running process has spent on the processors so far, its own and the system's on its
// behalf: what its work costs, whatever else the machine does meanwhile. 0 when it cannot be
// read. One file per system (processtime_<system>.cpp).
std::chrono::nanoseconds ProcessorTime(qint64 processId);
