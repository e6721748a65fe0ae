// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtualkey.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace {

// XKB key codes of the main digit row: 1..9 are 10..18, 0 is 19.
constexpr quint32 XkbDigit1 = 10;
constexpr quint32 XkbDigit0 = 19;

constexpr int VkDigit0 = 48;
constexpr int VkDigit1 = 49;
constexpr int VkKeypad0 = 96;

bool isDigitKey(int key)
{
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

// What the digit row types besides the digits, unshifted or shifted, in the Latin layouts in use
// (US, UK, German, Swiss, French, Belgian, Spanish, Italian, Portuguese, Nordic, Dutch, Turkish,
// Czech, Slovak, Hungarian). Qt names a letter by its capital: French "é" is Key_Eacute, Czech
// "ě" is U+011A.
constexpr std::array<int, 36> DigitRowSymbols{
    Qt::Key_Exclam,      Qt::Key_QuoteDbl,       Qt::Key_NumberSign, Qt::Key_Dollar,
    Qt::Key_Percent,     Qt::Key_Ampersand,      Qt::Key_Apostrophe, Qt::Key_ParenLeft,
    Qt::Key_ParenRight,  Qt::Key_Asterisk,       Qt::Key_Plus,       Qt::Key_Minus,
    Qt::Key_Slash,       Qt::Key_Equal,          Qt::Key_Question,   Qt::Key_At,
    Qt::Key_AsciiCircum, Qt::Key_Underscore,     Qt::Key_sterling,   Qt::Key_currency,
    Qt::Key_section,     Qt::Key_periodcentered, Qt::Key_Agrave,     Qt::Key_Aacute,
    Qt::Key_Ccedilla,    Qt::Key_Egrave,         Qt::Key_Eacute,     Qt::Key_Iacute,
    Qt::Key_Yacute,      0x10C /* Č */,          0x11A /* Ě */,      0x13D /* Ľ */,
    0x158 /* Ř */,       0x160 /* Š */,          0x164 /* Ť */,      0x17D /* Ž */,
};

// Whether the scan code says which digit key was pressed: only for what the digit row types
// other than a digit. A virtual keyboard (on-screen, remote desktop, a test's) brings a keymap
// of its own, in which a letter, a named key or another digit may sit on key codes 10 to 19.
bool placedByScanCode(int key)
{
    return std::ranges::find(DigitRowSymbols, key) != DigitRowSymbols.end();
}

// Keys whose code does not follow from a range of Qt keys.
int namedKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return VirtualKey::Escape;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

} // namespace

KeyPlatform KeyPlatformFor(QStringView platformName)
{
    if (platformName == u"windows")
        return KeyPlatform::Windows;
    if (platformName == u"xcb" || platformName.startsWith(u"wayland"))
        return KeyPlatform::Xkb;
    return KeyPlatform::Other;
}

KeyPlatform CurrentKeyPlatform()
{
    return KeyPlatformFor(QGuiApplication::platformName());
}

int VirtualKeyCode(const QKeyEvent &event, KeyPlatform platform)
{
    if (platform == KeyPlatform::Windows && event.nativeVirtualKey() != 0)
        return int(event.nativeVirtualKey());

    const int key = event.key();
    if (event.modifiers().testFlag(Qt::KeypadModifier) && isDigitKey(key))
        return VkKeypad0 + (key - Qt::Key_0);
    // The digit row by position: Shift+1 arrives as Key_Exclam, and French "1" as Key_Ampersand.
    const quint32 scanCode = event.nativeScanCode();
    if (platform == KeyPlatform::Xkb && scanCode >= XkbDigit1 && scanCode <= XkbDigit0 &&
        placedByScanCode(key))
        return scanCode == XkbDigit0 ? VkDigit0 : VkDigit1 + int(scanCode - XkbDigit1);
    if (isDigitKey(key))
        return VkDigit0 + (key - Qt::Key_0);
    // Letters are their capital's code; Qt::Key_A..Key_Z are those codes already.
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key >= u'a' && key <= u'z')
        return key - u'a' + Qt::Key_A;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VirtualKey::F1 + (key - Qt::Key_F1);
    return namedKeyCode(key);
}

int ModifierBits(Qt::KeyboardModifiers modifiers)
{
    int bits = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        bits |= ModifierBit::Shift;
    if (modifiers.testFlag(Qt::ControlModifier))
        bits |= ModifierBit::Ctrl;
    if (modifiers.testFlag(Qt::AltModifier))
        bits |= ModifierBit::Alt;
    return bits;
}
