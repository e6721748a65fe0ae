// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

class QWidget;

// What the window system does for the operator window by itself, and what the program has to
// ask of it or do itself.

// Whether the platform lets a program give its own window the keyboard focus. A Wayland
// compositor keeps that to itself; it focuses a new window, and the window under a closed box.
//   "xcb"  #=> true     "windows"  #=> true     "wayland", "wayland-egl"  #=> false
bool ProgramMayActivate(QStringView platformName);

// Asks for the keyboard focus for a top-level window, where the platform lets a program. On an
// X server without window manager nobody else gives it: the first key strokes would go nowhere.
// The request waits until the window is on the screen.
void RequestActivation(QWidget *window);

// Whether a window manager runs on the application's X server: the root window's
// _NET_SUPPORTING_WM_CHECK names a window that names itself. False off X11.
bool X11WindowManagerRunning();

// Whether the program itself has to fit a full-screen window to its screen and put it back
// afterwards: on an X server without window manager. Elsewhere the window manager (or the
// platform) does it, and one that sees the program set the geometry takes it as a request to
// leave full screen.
bool ProgramPlacesFullScreenWindow();
