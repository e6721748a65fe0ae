// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QQuickItem;

// The texts of a movie that a board author would want mended: each visible Text whose content is
// larger than its box and neither elided nor clipped, and each whose visible content reaches
// outside the design canvas (the movie's root). One line each, at most `most` of them:
//   Text "VISITORS FROM FAR AWAY" (name_b): 512 x 71 of content in a box of 400 x 71
//   Text "101:40" (clock): leaves the canvas by 12 x 0
QStringList OverflowingTexts(QQuickItem *movie, int most);
