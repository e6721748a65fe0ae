// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupframe.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {
// The caption's distance from the frame's left edge, and the gap left on each side of it in the
// frame line.
constexpr int CaptionLeft = 6;
constexpr int CaptionGap = 2;
} // namespace

GroupFrame::GroupFrame(QWidget *parent) : QGroupBox(parent) {}

void GroupFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect caption(CaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * CaptionGap,
                        metrics.height());
    // An etched line in the palette's shades. (The styles' own group-box frame leaves room
    // above it for a caption of their own.)
    painter.setClipRegion(QRegion(rect()).subtracted(caption));
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);
    painter.setClipping(false);
    style()->drawItemText(&painter, caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}
