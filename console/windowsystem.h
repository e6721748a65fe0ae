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
