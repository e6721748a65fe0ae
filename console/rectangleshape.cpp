// SPDX-License-Identifier: GPL-3.0-or-later
#include "rectangleshape.h"

#include <QPainter>

RectangleShape::RectangleShape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void RectangleShape::setBorderWidth(int width)
{
    m_borderWidth = qMax(1, width);
    update();
}

void RectangleShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The line lies wholly inside the rectangle, as a shape's border does.
    const int inset = m_borderWidth / 2;
    QPen pen(palette().color(QPalette::WindowText), m_borderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(inset, inset, inset - m_borderWidth, inset - m_borderWidth));
}
