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
// The installer's pictures: beside its first and last pages, 164 x 314, the splash's story told
// upright; and at the head of the others, 150 x 57, the logo's plate.
QImage installerSide();
QImage installerHeader();
