// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

bool ProgramMayActivate(QStringView platformName)
{
    return !platformName.startsWith(u"wayland");
}

void RequestActivation(QWidget *window)
{
    if (!ProgramMayActivate(QGuiApplication::platformName()))
        return;
    // The native window is made now if it is not there yet, so that the request is kept for it.
    window->winId();
    if (QWindow *handle = window->windowHandle())
        handle->requestActivate();
}
