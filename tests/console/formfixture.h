// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "displaycontrol.h"
#include "form1.h"
#include "scorefield.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The window's services under test: a short splash, and any message box it tries to show fails
// the test.
inline ConsoleServices TestServices()
{
    ConsoleServices services;
    services.splashInterval = std::chrono::milliseconds(1);
    services.showMessage = [](QWidget *, const QString &text) {
        QFAIL(qPrintable(QStringLiteral("unexpected message: ") + text));
    };
    return services;
}

// An operator window through its load step, shown and ready for keys.
inline std::unique_ptr<Form1> StartedForm(ConsoleServices services = TestServices())
{
    auto form = std::make_unique<Form1>(std::move(services));
    form->Form_Load();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("the operator window was not shown");
    return form;
}

template <typename T> T *Control(const QWidget *form, const char *name)
{
    T *widget = form->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// Waits until the board shows its movie or a notice; false if neither comes.
inline bool WaitForBoard(DisplayControl *display)
{
    return QTest::qWaitFor(
        [display] { return display->isMovieLoaded() || !display->notice().isEmpty(); }, 20000);
}

// What the tests of a started window share: the window, its controls by name, and the messages
// it showed (noted, not shown, once started with startNotingMessages()).
class FormFixture
{
protected:
    template <typename T> T *control(const char *name) const
    {
        return Control<T>(m_form.get(), name);
    }
    // Starts the window with these services, its messages noted in m_messages.
    void startNotingMessages(ConsoleServices services = TestServices())
    {
        m_messages.clear();
        services.showMessage = [this](QWidget *, const QString &text) { m_messages.append(text); };
        m_form = StartedForm(std::move(services));
    }

    std::unique_ptr<Form1> m_form;
    QStringList m_messages;
};

// One key-down and its release, as a keyboard sends them once its modifiers are already held.
// (QTest::keyClick would first press the modifier keys themselves, each a key-down of its own.)
inline void KeyStroke(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    const QString text = key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde
                             ? QString(QChar(key)).toLower()
                             : QString();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// The display control's operations in the order they were made: "SetVariable name value", ...
inline QStringList Calls(const QSignalSpy &spy)
{
    QStringList calls;
    for (const QList<QVariant> &signal : spy)
        calls.append((QStringList{signal.at(0).toString()} + signal.at(1).toStringList())
                         .join(QLatin1Char(' ')));
    return calls;
}
