// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <Qt>

class QKeyEvent;

// The hotkeys are physical keys named by their Windows virtual-key codes. A key event is mapped
// to the code of the key that was pressed, whatever the keyboard layout and the held modifiers
// make of it as a character: Shift+1 is 49 whether the layout types "!" or "&".

// The codes the hotkeys use.
namespace VirtualKey {
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Digit1 = 49;
inline constexpr int Digit9 = 57;
inline constexpr int P = 80;
inline constexpr int S = 83;
inline constexpr int F1 = 112;
inline constexpr int F9 = 120;
} // namespace VirtualKey

namespace ModifierBit {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace ModifierBit

enum class KeyPlatform
{
    Windows, // the event carries the virtual-key code itself
    Xkb,     // X11 and Wayland: XKB key codes as native scan codes (digit row 1..9 = 10..18
             // in the keyboard's keymap; a virtual keyboard may bring another)
    Other,   // no native information we trust: the Qt key alone
};

// The platform the running application's key events come from.
KeyPlatform CurrentKeyPlatform();

// The key platform of a Qt platform plugin name.
//   "windows"  #=> Windows      "xcb", "wayland-egl"  #=> Xkb      "offscreen"  #=> Other
KeyPlatform KeyPlatformFor(QStringView platformName);

// The Windows virtual-key code of the pressed key; 0 for a key that has none. An event without
// native information (synthesised, as by QTest) is mapped from its Qt key alone.
//   Key_Exclam, scan 10, Xkb  #=> 49      Key_1 with KeypadModifier  #=> 97      Key_F1  #=> 112
//   Key_P, scan 10, Xkb  #=> 80 (the scan code places only the digit row's symbols)
int VirtualKeyCode(const QKeyEvent &event, KeyPlatform platform);

// Modifier bits of a key event: 1 Shift, 2 Ctrl, 4 Alt. The keypad flag is no modifier.
int ModifierBits(Qt::KeyboardModifiers modifiers);
