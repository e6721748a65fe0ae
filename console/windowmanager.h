// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the program itself has to fit a full-screen window to its screen and put it back
// afterwards: on an X server without a window manager (a bare X server driving a projector).
// Elsewhere the window manager, or the platform, does it, and one that sees the program set the
// geometry takes it as a request to leave full screen. One file per system
// (windowmanager_<system>.cpp).
bool ProgramPlacesFullScreenWindow();
