// SPDX-License-Identifier: GPL-3.0-or-later
// AllowSetForegroundWindow hands on the right to set the foreground window, which only a
// program that has it may do; SetForegroundWindow itself is called by Qt when a window asks to
// be activated.
#include "foreground.h"

#include <windows.h>

void KeepForegroundRight()
{
    AllowSetForegroundWindow(GetCurrentProcessId());
}

void LendForegroundRight()
{
    AllowSetForegroundWindow(ASFW_ANY);
}
