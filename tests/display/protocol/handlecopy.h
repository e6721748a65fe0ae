// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// A second handle to what a handle of this process names, as the board's process gets one: one
// file per system (handlecopy_<system>.cpp).
qintptr CopyHandle(qintptr handle);
