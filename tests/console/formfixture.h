#pragma once

#include "displaycontrol.h"
#include "form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// An operator window through its load step (with a short splash), shown and ready for keys.
// Any message box it tries to show fails the test unless the test installs its own shower.
inline std::unique_ptr<Form1> StartedForm()
{
    auto form = std::make_unique<Form1>();
    form->setSplashInterval(std::chrono::milliseconds(1));
    form->setMessageShower([](QWidget *, const QString &text) {
        QFAIL(qPrintable(QStringLiteral("unexpected message: ") + text));
    });
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
