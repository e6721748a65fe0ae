// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys.h"
#include "virtualkey.h"

#include <QKeyEvent>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(KeyPlatform)
Q_DECLARE_METATYPE(Hotkey)

namespace QTest {
template <> char *toString(const Hotkey &hotkey)
{
    return qstrdup(qPrintable(u"action %1 step %2 field %3 limit %4"_s.arg(int(hotkey.action))
                                  .arg(hotkey.step)
                                  .arg(int(hotkey.field))
                                  .arg(hotkey.limit)));
}
} // namespace QTest

class TestHotkeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyTable_data();
    void keyTable();
    void counterStep_data();
    void counterStep();
    void periodStep_data();
    void periodStep();
    void virtualKeyCode_data();
    void virtualKeyCode();
    void modifierBits_data();
    void modifierBits();
    void keyPlatform_data();
    void keyPlatform();
};

void TestHotkeys::keyTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<Hotkey>("hotkey");

    using Action = Hotkey::Action;
    const int shift = ModifierBit::Shift, ctrl = ModifierBit::Ctrl, alt = ModifierBit::Alt;
    const auto counter = [](int step, ScoreField field, int limit) {
        return Hotkey{Action::CounterStep, step, field, limit};
    };

    // Escape and Space act whatever is held
    QTest::newRow("Escape") << 27 << 0 << Hotkey{Action::LeaveFullScreen};
    QTest::newRow("Ctrl+Alt+Escape") << 27 << (ctrl | alt) << Hotkey{Action::LeaveFullScreen};
    QTest::newRow("Space") << 32 << 0 << Hotkey{Action::PlayPause};
    QTest::newRow("Shift+Space") << 32 << shift << Hotkey{Action::PlayPause};

    // The counters: up alone, down with any modifier
    QTest::newRow("1") << 49 << 0 << counter(1, ScoreField::PointsA, 1000);
    QTest::newRow("Shift+1") << 49 << shift << counter(-1, ScoreField::PointsA, 1000);
    QTest::newRow("Ctrl+1") << 49 << ctrl << counter(-1, ScoreField::PointsA, 1000);
    QTest::newRow("Ctrl+Shift+9") << 57 << (ctrl | shift) << counter(-1, ScoreField::PointsB, 1000);
    QTest::newRow("F1") << 112 << 0 << counter(1, ScoreField::FaultsA, 100);
    QTest::newRow("Ctrl+F1") << 112 << ctrl << counter(-1, ScoreField::FaultsA, 100);
    QTest::newRow("9") << 57 << 0 << counter(1, ScoreField::PointsB, 1000);
    QTest::newRow("F9") << 120 << 0 << counter(1, ScoreField::FaultsB, 100);
    QTest::newRow("Alt+F9") << 120 << alt << counter(-1, ScoreField::FaultsB, 100);
    QTest::newRow("P") << 80 << 0 << Hotkey{Action::PeriodStep, 1};
    QTest::newRow("Ctrl+P") << 80 << ctrl << Hotkey{Action::PeriodStep, -1};

    // Set takes Shift alone
    QTest::newRow("Shift+S") << 83 << shift << Hotkey{Action::Set};
    QTest::newRow("S") << 83 << 0 << Hotkey{};
    QTest::newRow("Ctrl+Shift+S") << 83 << (ctrl | shift) << Hotkey{};
    QTest::newRow("Alt+S") << 83 << alt << Hotkey{};

    // Keys without a meaning
    QTest::newRow("keypad 1") << 97 << 0 << Hotkey{};
    QTest::newRow("keypad 9") << 105 << 0 << Hotkey{};
    QTest::newRow("Shift alone") << 16 << shift << Hotkey{};
    QTest::newRow("Enter") << 13 << 0 << Hotkey{};
    QTest::newRow("digit 2") << 50 << 0 << Hotkey{};
    QTest::newRow("F2") << 113 << 0 << Hotkey{};
    QTest::newRow("no code") << 0 << 0 << Hotkey{};
}

void TestHotkeys::keyTable()
{
    QFETCH(int, code);
    QFETCH(int, modifiers);
    QFETCH(Hotkey, hotkey);
    QCOMPARE(HotkeyFor(code, modifiers), hotkey);
}

void TestHotkeys::counterStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("limit");
    QTest::addColumn<std::optional<QString>>("expected");

    const std::optional<QString> kept;

    // Text without a number counts as 0
    QTest::newRow("empty up") << QString() << 1 << PointsLimit << std::optional(u"1"_s);
    QTest::newRow("empty down") << QString() << -1 << PointsLimit << kept;

    // Written back as plain digits, a fraction kept
    QTest::newRow("leading zeros") << u"007"_s << 1 << PointsLimit << std::optional(u"8"_s);
    QTest::newRow("fraction") << u"2.5"_s << 1 << PointsLimit << std::optional(u"3.5"_s);
    QTest::newRow("fraction below 0") << u"0.5"_s << -1 << PointsLimit << std::optional(u"-0.5"_s);

    // The range ends: no wrap-around, no clamping
    QTest::newRow("points 0 down") << u"0"_s << -1 << PointsLimit << kept;
    QTest::newRow("points 999 up") << u"999"_s << 1 << PointsLimit << kept;
    QTest::newRow("points 1000 up") << u"1000"_s << 1 << PointsLimit << kept;
    QTest::newRow("points 1000 down") << u"1000"_s << -1 << PointsLimit << std::optional(u"999"_s);
    QTest::newRow("fouls 99 up") << u"99"_s << 1 << FaultsLimit << kept;
    QTest::newRow("infinity") << u"1e999"_s << -1 << PointsLimit << kept;
}

void TestHotkeys::counterStep()
{
    QFETCH(QString, text);
    QFETCH(int, step);
    QFETCH(int, limit);
    QFETCH(std::optional<QString>, expected);
    QCOMPARE(CounterStep(text, step, limit), expected);
}

void TestHotkeys::periodStep_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("step");
    QTest::addColumn<std::optional<int>>("expected");

    const std::optional<int> kept;
    QTest::newRow("next") << 3 << 1 << std::optional(4);
    QTest::newRow("first back") << 0 << -1 << kept;
    QTest::newRow("ninth on") << 8 << 1 << kept;
    QTest::newRow("none selected, next") << -1 << 1 << std::optional(0);
    QTest::newRow("none selected, previous") << -1 << -1 << kept;
    QTest::newRow("largest int") << std::numeric_limits<int>::max() << 1 << kept;
    QTest::newRow("smallest int") << std::numeric_limits<int>::min() << -1 << kept;
}

void TestHotkeys::periodStep()
{
    QFETCH(int, index);
    QFETCH(int, step);
    QFETCH(std::optional<int>, expected);
    QCOMPARE(PeriodStep(index, step, PeriodCount), expected);
}

void TestHotkeys::virtualKeyCode_data()
{
    QTest::addColumn<KeyPlatform>("platform");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<quint32>("nativeKey");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");

    const auto xkb = KeyPlatform::Xkb;
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;

    // X11 and Wayland: the digit row by scan code, whatever the layout types
    QTest::newRow("1") << xkb << int(Qt::Key_1) << none << 10u << 0u << u"1"_s
                       << VirtualKey::Digit1;
    QTest::newRow("Shift+1") << xkb << int(Qt::Key_Exclam) << shift << 10u << 0u << u"!"_s
                             << VirtualKey::Digit1;
    QTest::newRow("French 1") << xkb << int(Qt::Key_Ampersand) << none << 10u << 0u << u"&"_s
                              << VirtualKey::Digit1;
    QTest::newRow("Shift+9") << xkb << int(Qt::Key_ParenLeft) << shift << 18u << 0u << u"("_s
                             << VirtualKey::Digit9;
    QTest::newRow("Shift+0") << xkb << int(Qt::Key_ParenRight) << shift << 19u << 0u << u")"_s
                             << 48;

    // The digit row's symbols in other layouts
    QTest::newRow("French 9") << xkb << int(Qt::Key_Ccedilla) << none << 18u << 0u << u"ç"_s
                              << VirtualKey::Digit9;
    QTest::newRow("German Shift+3")
        << xkb << int(Qt::Key_section) << shift << 12u << 0u << u"§"_s << 51;
    QTest::newRow("Czech 2") << xkb << 0x11A << none << 11u << 0u << u"ě"_s << 50;

    // A virtual keyboard's own keymap puts any key on key codes 10 to 19: only the digit row's
    // symbols are taken for digit keys there
    QTest::newRow("virtual P on 10")
        << xkb << int(Qt::Key_P) << none << 10u << 0u << u"p"_s << VirtualKey::P;
    QTest::newRow("virtual Shift+S on 11")
        << xkb << int(Qt::Key_S) << shift << 11u << 0u << u"S"_s << VirtualKey::S;
    QTest::newRow("virtual F9 on 10")
        << xkb << int(Qt::Key_F9) << none << 10u << 0u << QString() << VirtualKey::F9;
    QTest::newRow("virtual Escape on 12")
        << xkb << int(Qt::Key_Escape) << none << 12u << 0u << u"\x1b"_s << VirtualKey::Escape;
    QTest::newRow("virtual Space on 19")
        << xkb << int(Qt::Key_Space) << none << 19u << 0u << u" "_s << VirtualKey::Space;
    QTest::newRow("virtual 9 on 10")
        << xkb << int(Qt::Key_9) << none << 10u << 0u << u"9"_s << VirtualKey::Digit9;
    QTest::newRow("virtual comma on 10")
        << xkb << int(Qt::Key_Comma) << none << 10u << 0u << u","_s << 0;
    QTest::newRow("virtual ö on 10")
        << xkb << int(Qt::Key_Odiaeresis) << none << 10u << 0u << u"ö"_s << 0;

    // Keypad digits are their own keys, also by scan code
    QTest::newRow("keypad 1") << xkb << int(Qt::Key_1) << keypad << 87u << 0u << u"1"_s << 97;
    QTest::newRow("keypad 9") << xkb << int(Qt::Key_9) << keypad << 81u << 0u << u"9"_s << 105;
    QTest::newRow("keypad 1, Num Lock off")
        << xkb << int(Qt::Key_End) << keypad << 87u << 0u << QString() << 35;

    // Letters are their capital's code, and control characters in the text do not matter
    QTest::newRow("P, Caps Lock") << xkb << int(Qt::Key_P) << none << 33u << 0u << u"P"_s
                                  << VirtualKey::P;
    QTest::newRow("Ctrl+P") << xkb << int(Qt::Key_P) << Qt::KeyboardModifiers(Qt::ControlModifier)
                            << 33u << 0u << u"\x10"_s << VirtualKey::P;
    QTest::newRow("lower-case key")
        << xkb << int(u'p') << none << 33u << 0u << u"p"_s << VirtualKey::P;

    // Function and named keys
    QTest::newRow("F1") << xkb << int(Qt::Key_F1) << none << 67u << 0u << QString()
                        << VirtualKey::F1;
    QTest::newRow("Shift+F9") << xkb << int(Qt::Key_F9) << shift << 75u << 0u << QString()
                              << VirtualKey::F9;
    QTest::newRow("Escape") << xkb << int(Qt::Key_Escape) << none << 9u << 0u << u"\x1b"_s
                            << VirtualKey::Escape;
    QTest::newRow("Space") << xkb << int(Qt::Key_Space) << shift << 65u << 0u << u" "_s
                           << VirtualKey::Space;
    QTest::newRow("Shift alone") << xkb << int(Qt::Key_Shift) << shift << 50u << 0u << QString()
                                 << 16;
    QTest::newRow("Shift+Tab") << xkb << int(Qt::Key_Backtab) << shift << 23u << 0u << QString()
                               << 9;
    QTest::newRow("keypad Enter") << xkb << int(Qt::Key_Enter) << keypad << 104u << 0u << u"\r"_s
                                  << 13;
    QTest::newRow("comma has no code")
        << xkb << int(Qt::Key_Comma) << none << 59u << 0u << u","_s << 0;

    // Events without native data (synthesised) fall back to the Qt key
    QTest::newRow("synthesised 1")
        << xkb << int(Qt::Key_1) << shift << 0u << 0u << u"1"_s << VirtualKey::Digit1;
    QTest::newRow("synthesised !")
        << xkb << int(Qt::Key_Exclam) << shift << 0u << 0u << u"!"_s << 0;
    QTest::newRow("synthesised on Windows") << KeyPlatform::Windows << int(Qt::Key_F1) << none << 0u
                                            << 0u << QString() << VirtualKey::F1;

    // Windows: the event's own virtual-key code
    QTest::newRow("Windows Shift+1") << KeyPlatform::Windows << int(Qt::Key_Exclam) << shift << 2u
                                     << 0x31u << u"!"_s << VirtualKey::Digit1;
    QTest::newRow("Windows French 1") << KeyPlatform::Windows << int(Qt::Key_Ampersand) << none
                                      << 2u << 0x31u << u"&"_s << VirtualKey::Digit1;
    QTest::newRow("Windows keypad 1")
        << KeyPlatform::Windows << int(Qt::Key_1) << keypad << 79u << 0x61u << u"1"_s << 97;

    // Elsewhere scan codes mean nothing we know: the Qt key alone
    QTest::newRow("other 1") << KeyPlatform::Other << int(Qt::Key_1) << shift << 0u << 0u << u"1"_s
                             << VirtualKey::Digit1;
    QTest::newRow("other ! with scan code")
        << KeyPlatform::Other << int(Qt::Key_Exclam) << shift << 10u << 0u << u"!"_s << 0;
    QTest::newRow("other keypad 5")
        << KeyPlatform::Other << int(Qt::Key_5) << keypad << 0u << 0u << u"5"_s << 101;
}

void TestHotkeys::virtualKeyCode()
{
    QFETCH(KeyPlatform, platform);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(quint32, scanCode);
    QFETCH(quint32, nativeKey);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, nativeKey, 0, text);
    QCOMPARE(VirtualKeyCode(event, platform), code);
}

void TestHotkeys::modifierBits_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("bits");

    QTest::newRow("none") << Qt::KeyboardModifiers() << 0;
    QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << ModifierBit::Shift;
    QTest::newRow("all three") << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 7;
    QTest::newRow("keypad is none") << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0;
}

void TestHotkeys::modifierBits()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, bits);
    QCOMPARE(ModifierBits(modifiers), bits);
}

void TestHotkeys::keyPlatform_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<KeyPlatform>("platform");

    QTest::newRow("windows") << u"windows"_s << KeyPlatform::Windows;
    QTest::newRow("xcb") << u"xcb"_s << KeyPlatform::Xkb;
    QTest::newRow("wayland-egl") << u"wayland-egl"_s << KeyPlatform::Xkb;
    QTest::newRow("offscreen") << u"offscreen"_s << KeyPlatform::Other;
}

void TestHotkeys::keyPlatform()
{
    QFETCH(QString, name);
    QFETCH(KeyPlatform, platform);
    QCOMPARE(KeyPlatformFor(name), platform);
}

QTEST_MAIN(TestHotkeys)
#include "test_hotkeys.moc"
