// SPDX-License-Identifier: GPL-3.0-or-later
// X11 and Wayland keep no such right for a program: the window asks, or the compositor decides.
#include "foreground.h"

void KeepForegroundRight() {}

void LendForegroundRight() {}
