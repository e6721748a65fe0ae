// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// The window icon at `side` pixels square, on a transparent background.
QImage clockIcon(int side);
// The same icon as a scalable SVG document, from the same drawing.
QByteArray clockIconSvg();
// The product logo, 161 x 63: a navy plate with the clock mark and the wordmark.
QImage logo();
// The splash picture, 300 x 200: the product's name and tagline over a small lit scoreboard.
QImage splash();
