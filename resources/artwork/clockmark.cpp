// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockmark.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// A hand from the centre, pointing `degrees` clockwise from twelve, drawn as a tapered blade.
void paintHand(QPainter &painter, qreal degrees, qreal length, qreal width, qreal tail,
               const QColor &colour)
{
    painter.save();
    painter.rotate(degrees);
    QPainterPath blade;
    blade.moveTo(-width / 2, tail);
    blade.lineTo(-width / 4, -length);
    blade.lineTo(width / 4, -length);
    blade.lineTo(width / 2, tail);
    blade.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(blade);
    painter.restore();
}

} // namespace

ClockColours iconColours()
{
    return {QColor(16, 32, 96), QColor(252, 252, 248), QColor(16, 24, 48), QColor(12, 16, 32),
            QColor(230, 40, 30)};
}

void paintClockMark(QPainter &painter, const QRectF &box, const ClockColours &colours)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(box.width(), box.height());
    painter.translate(box.center());
    painter.scale(side / 200.0, side / 200.0);

    // Crown and its collar on top: what makes it read as a sports timer, not a wall clock.
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.rim);
    painter.drawRoundedRect(QRectF(-20, -100, 40, 20), 5, 5);
    painter.drawRect(QRectF(-9, -86, 18, 12));

    // Rim and face, the face slightly shaded towards the bottom for depth.
    const QPointF centre(0, 10);
    QLinearGradient rim(0, -80, 0, 100);
    rim.setColorAt(0, colours.rim.lighter(150));
    rim.setColorAt(1, colours.rim);
    painter.setBrush(rim);
    painter.drawEllipse(centre, 90, 90);
    QRadialGradient face(centre + QPointF(-20, -25), 95);
    face.setColorAt(0, colours.face);
    face.setColorAt(1, colours.face.darker(112));
    painter.setBrush(face);
    painter.drawEllipse(centre, 72, 72);

    painter.translate(centre);
    // Twelve marks, the quarters long and heavy so they survive at 32 pixels.
    for (int hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        painter.save();
        painter.rotate(hour * 30.0);
        painter.setBrush(colours.marks);
        if (quarter)
            painter.drawRect(QRectF(-6, -66, 12, 20));
        else
            painter.drawRect(QRectF(-3, -66, 6, 12));
        painter.restore();
    }

    paintHand(painter, 10 * 30.0 + 10 * 0.5, 38, 14, 10, colours.hands); // hour hand at 10:10
    paintHand(painter, 10 * 6.0, 56, 11, 10, colours.hands);             // minute hand
    paintHand(painter, 180.0 + 25.0, 60, 5, 16, colours.sweep);
    painter.setBrush(colours.sweep);
    painter.drawEllipse(QPointF(0, 0), 8, 8);
    painter.restore();
}
