// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The title-strip button glyphs: 24-bit pictures, black strokes on the classic button-face grey
// (212, 208, 200), set pixel by pixel since at 9 pixels any smoothing only blurs them.
QImage maximizeGlyph(); // 9 x 9, a square whose top edge is 2 pixels thick
QImage closeGlyph();    // 8 x 7, a diagonal cross with strokes 2 pixels wide
