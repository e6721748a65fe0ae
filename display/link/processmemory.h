// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The resident memory of a running process, in bytes; 0 when it cannot be read. One file per
// system (processmemory_<system>.cpp).
qint64 ResidentBytes(qint64 processId);
