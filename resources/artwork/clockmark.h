// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Colours of the clock drawn by paintClockMark.
struct ClockColours
{
    QColor rim;
    QColor face;
    QColor marks;
    QColor hands;
    QColor sweep; // the second hand
};

// Brevanto's clock: a round face with a crown on top, twelve marks and hands at ten past ten.
// Drawn in a 200 x 200 space scaled into `box` (kept square, centred), so that the 32-pixel icon
// and the splash picture show the same drawing. The painter's state is restored afterwards.
void paintClockMark(QPainter &painter, const QRectF &box, const ClockColours &colours);

// The colours of the window icon: navy rim, white face.
ClockColours iconColours();
