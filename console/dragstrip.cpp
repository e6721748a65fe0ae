// SPDX-License-Identifier: GPL-3.0-or-later
#include "dragstrip.h"

#include "twips.h"
#include "virtualkey.h"

#include <QMouseEvent>

DragStrip::DragStrip(QWidget *parent) : QFrame(parent)
{
    // Its own role: a child otherwise paints with the role its window uses (button face).
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    setPalette(navy);
    // Moves arrive with no button held too: they put the pointer back to the default.
    setMouseTracking(true);
}

int DragStrip::ButtonBits(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) |
           (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

void DragStrip::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    Q_EMIT mouseDown(ButtonBits(event->buttons()), ModifierBits(event->modifiers()),
                     float(PixelsToTwips(at.x())), float(PixelsToTwips(at.y())));
}

void DragStrip::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    Q_EMIT mouseMove(ButtonBits(event->buttons()), ModifierBits(event->modifiers()),
                     float(PixelsToTwips(at.x())), float(PixelsToTwips(at.y())));
}
