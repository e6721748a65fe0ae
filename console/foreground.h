// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rules by which the system lets a program put a window in front of the others. Windows
// lets only the program the user is working with do so, for a while after it was started or
// last used; an X server lets any program ask (RequestActivation asks). One file per system
// (foreground_<system>.cpp).

// Keeps the right to come to the front for the operator window, which is shown only after the
// splash has gone: called at start-up, while the program still has that right.
void KeepForegroundRight();

// Lets the program that shows a page the console opens (the help page) come to the front.
void LendForegroundRight();
